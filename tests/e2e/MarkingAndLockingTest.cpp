// Marking keys with "Mark All Buttons", "Unmark All Buttons" and the real
// keyboard, the locking switch, and the "Application Error" box of a failed
// save, on the real Tallowmere.exe driven by real input.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "KeyCodes.h"
#include "engine/KeyTable.h"
#include "platform/win32/Text.h"
#include "shell/ErrorReport.h"
#include "win/support/ErrorBoxes.h"
#include "win/support/FileBytes.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"
#include "win/support/MainWindowUnderTest.h"
#include "win/support/ScreenCapture.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

constexpr COLORREF kGreen = kMarkedColor;
constexpr COLORREF kGray = kUnmarkedColor;

class MarkingAndLocking : public MainWindowUnderTest, public ::testing::Test {
 protected:
  // Starts the program with an empty block list and finds its controls.
  bool Start() {
    WriteFileBytes(program_.BlockListFile(), "\r\n");
    return MainWindowUnderTest::Start();
  }

  // Read only once the screen shows that the save is done: a read at the
  // moment the program replaces the file makes the replacement fail.
  std::optional<std::string> BlockList() const { return ReadFileBytes(program_.BlockListFile()); }

  // How many pixels inside the rectangle have the colour.
  static int PixelsOf(const ScreenCapture& screen, const RECT& rect, COLORREF colour) {
    int count = 0;
    for (LONG y = rect.top; y < rect.bottom; ++y) {
      for (LONG x = rect.left; x < rect.right; ++x) count += screen.At(x, y) == colour ? 1 : 0;
    }
    return count;
  }

  // The keys that do not show `colour` on one picture of the screen, or whose
  // visibility is not as expected; empty when all are as they should be. A
  // picture key's face is mostly picture: it shows its colour around it and
  // none of the other marking colour.
  std::string KeysNotShowing(COLORREF colour, bool picturesShown) const {
    const ScreenCapture screen = ScreenCapture::Take();
    const COLORREF otherColour = colour == kGreen ? kGray : kGreen;
    std::ostringstream wrong;
    for (int i = 0; i < kKeyCount; ++i) {
      const bool shown = IsWindowVisible(Key(i)) != FALSE;
      const RECT face = Inset(ScreenRect(Key(i)), 2);
      if (IsPictureKey(i) && shown != picturesShown) {
        wrong << i << (shown ? " shown; " : " hidden; ");
      } else if (shown && IsPictureKey(i)) {
        if (PixelsOf(screen, face, colour) == 0 || PixelsOf(screen, face, otherColour) != 0) {
          wrong << i << " picture face; ";
        }
      } else if (shown && screen.MostCommonColour(Inset(face, 1)) != colour) {
        wrong << i << " " << Hex(screen.MostCommonColour(Inset(face, 1))) << "; ";
      }
    }
    return wrong.str();
  }

  static bool MakeActive(HWND window) {
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; });
  }
};

TEST_F(MarkingAndLocking, MarkAllAndUnmarkAll) {
  ASSERT_TRUE(Start());
  for (int i = 0; i < kKeyCount; ++i) ASSERT_NE(Key(i), nullptr) << i;

  Click(Control(ControlId::PushButton1));
  std::string wrong;
  EXPECT_TRUE(WaitFor([&] { return (wrong = KeysNotShowing(kGreen, false)).empty(); })) << wrong;
  EXPECT_EQ(BlockList(), std::string(kAllCodes) + "\r\n");

  Click(Control(ControlId::PushButton2));
  EXPECT_TRUE(WaitFor([&] { return (wrong = KeysNotShowing(kGray, true)).empty(); })) << wrong;
  EXPECT_EQ(BlockList(), std::optional<std::string>("\r\n"));
  EXPECT_TRUE(ErrorBoxes(Program()).empty());
  EXPECT_TRUE(Program().End());
}

TEST_F(MarkingAndLocking, LockingSwallowsMarkedKeysUntilStop) {
  ASSERT_TRUE(Start());
  HWND a = Key(41);
  Click(a);
  ASSERT_TRUE(WaitFor([&] { return FaceColour(a) == kGreen; }));
  ASSERT_EQ(BlockList(), std::optional<std::string>("65,\r\n"));

  ASSERT_NO_FATAL_FAILURE(StartLocking());
  HWND lockingSwitch = Control(ControlId::PushButton6);

  InputReceiver receiver({700, 600, 900, 700}, 0x3366CC);
  EXPECT_EQ(receiver.KeysArriving({'A', 'B'}), std::vector<WPARAM>{'B'})
      << "the marked A is swallowed";

  // Brought back by another program, as the tray icon will.
  ShowWindow(window_, SW_SHOW);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window_) != FALSE; }));
  ASSERT_TRUE(MakeActive(window_));
  Click(lockingSwitch);
  EXPECT_TRUE(WaitFor([&] { return WindowText(lockingSwitch) == L"Start Disabling"; }));

  EXPECT_EQ(receiver.KeysArriving({'A', 'B'}), (std::vector<WPARAM>{'A', 'B'}))
      << "nothing is locked";
  EXPECT_EQ(BlockList(), std::optional<std::string>("65,\r\n"));
  EXPECT_TRUE(ErrorBoxes(Program()).empty());
  EXPECT_TRUE(Program().End());
}

TEST_F(MarkingAndLocking, PressingARealKeyWhileTheWindowIsActiveMarksIt) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(MakeActive(window_));
  HWND a = Key(41);

  // Held until a poll has seen it (a poll sees a key only while it is down),
  // then across several more polls: it toggles once. Wine lets go of an
  // injected key when the window's X focus arrives after the press, so a
  // press that no poll saw is made again.
  bool marked = false;
  for (int attempt = 0; attempt < 3 && !marked; ++attempt) {
    PressKey('A');
    marked = WaitFor([&] { return FaceColour(a) == kGreen; }, 3s);
    if (marked) PumpMessagesFor(350ms);
    ReleaseKey('A');
  }
  ASSERT_TRUE(marked) << Hex(FaceColour(a));
  PumpMessagesFor(300ms);
  EXPECT_EQ(FaceColour(a), kGreen);
  EXPECT_EQ(BlockList(), std::optional<std::string>("65,\r\n"));
  EXPECT_TRUE(ErrorBoxes(Program()).empty());
  EXPECT_TRUE(Program().End());
}

TEST_F(MarkingAndLocking, FailedSaveOfMarkAllIsReportedAndMarkingGoesOn) {
  std::filesystem::remove(program_.Temp());
  program_.Launch();
  // The load reports that it can neither copy nor read the list there.
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    for (HWND box : ErrorBoxes(Program())) {
      if (BoxMessage(box).find(L"Form1.Form_Load ") != std::wstring::npos) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
    }
    window = Program().WaitForMainWindow(kMainWindowTitle, 100ms);
    return window != nullptr;
  }));
  ASSERT_TRUE(Found(window));

  Click(Control(ControlId::PushButton1));
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    const auto boxes = ErrorBoxes(Program());
    box = boxes.empty() ? nullptr : boxes.front();
    return box != nullptr;
  }));
  const std::wstring message = BoxMessage(box);
  const std::wstring expectedEnd =
      L"\r\nin Quorvane2021/08/31.Form1.PushButton1_Click at line 108\r\r"
      L"Please email screenshot of this message to " +
      Wide(std::string(kSupportAddress));
  ASSERT_GT(message.size(), expectedEnd.size());
  EXPECT_EQ(message.substr(message.size() - expectedEnd.size()), expectedEnd);
  EXPECT_GT(message.find(L"\r\n"), 0u) << "the system's description comes first: " << Utf8(message);

  const auto ok = FindChildren(box, L"OK");
  ASSERT_EQ(ok.size(), 1u);
  Click(ok.front());
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  std::string wrong;
  EXPECT_TRUE(WaitFor([&] { return (wrong = KeysNotShowing(kGreen, false)).empty(); })) << wrong;
  EXPECT_FALSE(Program().HasExited());
  EXPECT_TRUE(Program().End());
}

}  // namespace
}  // namespace tallowmere::test
