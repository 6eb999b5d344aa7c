// The first steps of Tallowmere's start as a user meets them: the hand
// pointer file beside the program, the optional skin x\o.cjs, and the pointer
// that follows the mouse over the window.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Text.h"
#include "ui/Form1Layout.h"
#include "win/support/Describe.h"
#include "win/support/ErrorBoxes.h"
#include "win/support/FileBytes.h"
#include "win/support/Input.h"
#include "win/support/MainWindowUnderTest.h"
#include "win/support/ScreenCapture.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

constexpr COLORREF kWhiteFace = 0xFFFFFF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kGray = 0xC0C0C0;
// The skin's face #C8A0E0, a colour nothing else on the screen has.
constexpr COLORREF kSkinFace = 0xE0A0C8;
constexpr char kSkin[] = "; a test skin\r\nface = #C8A0E0\r\ntext = #200040\r\n";

class ShellStart : public MainWindowUnderTest, public ::testing::Test {
 protected:
  std::filesystem::path InProgramFolder(const std::wstring& name) const {
    return program_.ProgramFolder() / name;
  }

  // The face colour of each control that the skin recolours, by caption.
  std::vector<std::pair<std::string, COLORREF>> PlainFaces() {
    const ScreenCapture screen = ScreenCapture::Take();
    std::vector<std::pair<std::string, COLORREF>> faces;
    for (const ControlDef& def : kControls) {
      if (def.kind != ControlKind::TickBox && def.kind != ControlKind::Label &&
          def.kind != ControlKind::Frame) {
        continue;
      }
      // A frame's face is the band of its caption: keys and pictures cover
      // much of the rest.
      RECT place = ScreenRect(Control(def.id));
      if (def.kind == ControlKind::Frame) place.bottom = place.top + 6;
      faces.emplace_back(std::string(def.caption), screen.MostCommonColour(Inset(place, 2)));
    }
    return faces;
  }
};

// With the pointer file gone the load has nothing to report: the box of a
// failed load step would come before the window is shown.
TEST_F(ShellStart, WithoutThePointerFileNoMessageAppears) {
  std::filesystem::remove(InProgramFolder(L"HAND-M.CUR"));
  ASSERT_TRUE(Start());
  EXPECT_TRUE(ErrorBoxes(Program()).empty());
  EXPECT_EQ(WindowText(window_), L"Tallowmere");
}

TEST_F(ShellStart, ACorruptPointerFileIsReportedAtLine108AndTheWindowComesUp) {
  WriteFileBytes(InProgramFolder(L"HAND-M.CUR"), std::string("\0\0\2\0\1\0 no cursor here", 22));
  program_.Launch();
  std::vector<HWND> boxes;
  ASSERT_TRUE(WaitFor([&] { return !(boxes = ErrorBoxes(Program())).empty(); }));
  const std::wstring message = BoxMessage(boxes[0]);
  EXPECT_NE(message.find(L"in Quorvane2021/08/31.Form1.Form_Load at line 108\r\r"),
            std::wstring::npos)
      << Utf8(message);
  EXPECT_NE(message.find(L"\r\n"), 0u) << "the description comes first: " << Utf8(message);

  PostMessageW(boxes[0], WM_COMMAND, IDOK, 0);
  EXPECT_NE(Program().WaitForMainWindow(kMainWindowTitle), nullptr);
  EXPECT_TRUE(ErrorBoxes(Program()).empty());
}

TEST_F(ShellStart, TheSkinRecoloursTickBoxesFramesAndLabelsButNotTheKeys) {
  std::filesystem::create_directory(InProgramFolder(L"x"));
  WriteFileBytes(InProgramFolder(L"x\\o.cjs"), kSkin);
  WriteFileBytes(program_.Temp() / L"xsettings.txt", "65,\r\n");  // marks "a"
  ASSERT_TRUE(Start());
  for (const auto& [caption, face] : PlainFaces()) {
    EXPECT_EQ(face, kSkinFace) << caption << " shows " << Hex(face);
  }
  EXPECT_EQ(KeyFace(41), kGreen);
  EXPECT_EQ(KeyFace(40), kGray);
  SaveScreenshot(L"skinned");
}

TEST_F(ShellStart, AFolderNamedLikeTheSkinAppliesNoSkin) {
  std::filesystem::create_directories(InProgramFolder(L"x\\o.cjs"));
  ASSERT_TRUE(Start());
  for (const auto& [caption, face] : PlainFaces()) {
    EXPECT_EQ(face, kWhiteFace) << caption << " shows " << Hex(face);
  }
  EXPECT_TRUE(ErrorBoxes(Program()).empty());
}

TEST_F(ShellStart, AnUnreadableSkinIsReportedAtLine100AndTheLoadGoesOn) {
  std::filesystem::create_directory(InProgramFolder(L"x"));
  WriteFileBytes(InProgramFolder(L"x\\o.cjs"), "face = purple\r\n");
  program_.Launch();
  std::vector<HWND> boxes;
  ASSERT_TRUE(WaitFor([&] { return !(boxes = ErrorBoxes(Program())).empty(); }));
  const std::wstring message = BoxMessage(boxes[0]);
  EXPECT_EQ(message.rfind(L"Invalid skin file, line 1: a colour is written #RRGGBB\r\n"
                          L"in Quorvane2021/08/31.Form1.Form_Load at line 100\r\r",
                          0),
            0u)
      << Utf8(message);
  PostMessageW(boxes[0], WM_COMMAND, IDOK, 0);
  EXPECT_NE(Program().WaitForMainWindow(kMainWindowTitle), nullptr);
}

// The pointer over the window, as the system shows it: the hand over a key
// and an action button, the arrow over a frame, unchanged over a label.
TEST_F(ShellStart, ThePointerFollowsTheMouse) {
  ASSERT_TRUE(Start());
  SetForegroundWindow(window_);
  const auto shown = [] {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return info.hCursor;
  };
  // One absolute move each: a placement followed by a relative move can
  // reach the window from where the pointer was before.
  const auto moveTo = [](HWND control) {
    const RECT r = ScreenRect(control);
    MovePointerTo({r.left + 5, r.top + 5});
  };
  const auto moveToFrameBand = [](HWND frame) {
    const RECT r = ScreenRect(frame);
    MovePointerTo({r.left + 4, r.top + (r.bottom - r.top) / 2});
  };

  // Under Wine every process has cursors of its own, the arrow too: the test
  // tells the hand by its handle and the arrow as anything else.
  moveToFrameBand(Control(ControlId::Frame1));
  PumpMessagesFor(300ms);
  const HCURSOR arrow = shown();
  moveTo(Key(41));
  ASSERT_TRUE(WaitFor([&] { return shown() != arrow; }));
  const HCURSOR hand = shown();
  moveToFrameBand(Control(ControlId::Frame1));
  EXPECT_TRUE(WaitFor([&] { return shown() == arrow; }));
  moveTo(Control(ControlId::PushButton1));
  EXPECT_TRUE(WaitFor([&] { return shown() == hand; }));
  moveTo(Control(ControlId::Label1));
  PumpMessagesFor(300ms);
  EXPECT_EQ(shown(), hand) << "a label keeps the pointer";
  moveToFrameBand(Control(ControlId::Frame2));
  EXPECT_TRUE(WaitFor([&] { return shown() == arrow; }));
  moveTo(Control(ControlId::Check3_));
  PumpMessagesFor(300ms);
  EXPECT_EQ(shown(), arrow) << "a tick box keeps the pointer";
}

}  // namespace
}  // namespace tallowmere::test
