// Marking keys with "Mark All Buttons", "Unmark All Buttons" and the real
// keyboard, the locking switch, and the "Application Error" box of a failed
// save, on the real Tallowmere.exe driven by real input.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/support/FileBytes.h"
#include "e2e/support/Input.h"
#include "e2e/support/InputReceiver.h"
#include "e2e/support/RunningProgram.h"
#include "e2e/support/ScreenCapture.h"
#include "e2e/support/TallowmereBuild.h"
#include "e2e/support/TestFolder.h"
#include "e2e/support/Wait.h"
#include "e2e/support/WindowQueries.h"
#include "engine/KeyTable.h"
#include "platform/win32/Form1Window.h"
#include "platform/win32/Text.h"
#include "shell/ErrorReport.h"

namespace tallowmere::e2e {
namespace {

constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kGray = 0xC0C0C0;
const std::array<int, 3> kPictureKeys = {73, 74, 75};
const std::string kAllCodes =
    "27,112,113,114,115,116,117,118,119,120,121,122,123,44,145,19,192,49,50,51,52,53,54,55,56,57,"
    "48,189,187,81,87,69,82,84,89,85,73,79,80,219,221,65,83,68,70,71,72,74,75,76,186,222,13,90,88,"
    "67,86,66,78,77,188,190,191,161,8,220,9,20,160,162,163,164,165,91,92,93,33,36,45,34,35,46,106,"
    "111,144,109,105,104,103,107,102,101,100,99,98,97,13,110,96,32,38,40,37,39,";

bool IsPictureKey(int index) {
  return index >= kPictureKeys.front() && index <= kPictureKeys.back();
}

class MarkingAndLocking : public ::testing::Test {
 protected:
  void Start() { program_ = std::make_unique<RunningProgram>(ProgramStart{exe_, temp_, L""}); }

  // The main window once the load has shown it.
  HWND MainWindow() { return program_->WaitForMainWindow(L"Tallowmere"); }

  static HWND Child(HWND window, std::wstring_view text) {
    const auto found = FindChildren(window, text);
    return found.size() == 1 ? found[0] : nullptr;
  }

  static std::array<HWND, kKeyCount> Keys(HWND window) {
    std::array<HWND, kKeyCount> keys{};
    for (HWND child : AllChildren(window)) {
      const int index = GetDlgCtrlID(child) - Form1Window::kFirstKeyId;
      if (index >= 0 && index < kKeyCount) keys[index] = child;
    }
    return keys;
  }

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
  static std::string KeysNotShowing(const std::array<HWND, kKeyCount>& keys, COLORREF colour,
                                    bool picturesShown) {
    const ScreenCapture screen = ScreenCapture::Take();
    const COLORREF otherColour = colour == kGreen ? kGray : kGreen;
    std::ostringstream wrong;
    for (int i = 0; i < kKeyCount; ++i) {
      const bool shown = IsWindowVisible(keys[i]) != FALSE;
      const RECT face = Inset(ScreenRect(keys[i]), 2);
      if (IsPictureKey(i) && shown != picturesShown) {
        wrong << i << (shown ? " shown; " : " hidden; ");
      } else if (shown && IsPictureKey(i)) {
        if (PixelsOf(screen, face, colour) == 0 || PixelsOf(screen, face, otherColour) != 0) {
          wrong << i << " picture face; ";
        }
      } else if (shown && screen.MostCommonColour(Inset(face, 1)) != colour) {
        wrong << i << " " << std::hex << screen.MostCommonColour(Inset(face, 1)) << std::dec
              << "; ";
      }
    }
    return wrong.str();
  }

  static void Click(HWND control) { ClickAt(Centre(ScreenRect(control))); }

  static bool MakeActive(HWND window) {
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; });
  }

  // An "Application Error" box of the program, once one is up.
  HWND ErrorBox() {
    HWND box = nullptr;
    WaitFor([&] {
      for (HWND window : program_->TopLevelWindows()) {
        if (IsWindowVisible(window) && WindowText(window) == L"Application Error") box = window;
      }
      return box != nullptr;
    });
    return box;
  }

  int ErrorBoxesShown() {
    int shown = 0;
    for (HWND window : program_->TopLevelWindows()) {
      if (IsWindowVisible(window) && WindowText(window) == L"Application Error") ++shown;
    }
    return shown;
  }

  static std::wstring BoxMessage(HWND box) {
    for (HWND child : AllChildren(box)) {
      const std::wstring text = WindowText(child);
      if (text.find(L"at line") != std::wstring::npos) return text;
    }
    return {};
  }

  // Read only once the screen shows that the save is done: a read at the
  // moment the program replaces the file makes the replacement fail.
  std::optional<std::string> BlockList() { return ReadFileBytes(temp_ / L"xsettings.txt"); }

  static COLORREF Face(HWND key) {
    return ScreenCapture::Take().MostCommonColour(Inset(ScreenRect(key), 3));
  }

  TestFolder folder_;
  std::filesystem::path temp_ = folder_.MakeFolder(L"Temp");
  std::filesystem::path exe_ = InstallProgram(folder_);
  std::unique_ptr<RunningProgram> program_;
};

TEST_F(MarkingAndLocking, MarkAllAndUnmarkAll) {
  WriteFileBytes(temp_ / L"xsettings.txt", "\r\n");
  Start();
  HWND window = MainWindow();
  ASSERT_NE(window, nullptr);
  const auto keys = Keys(window);
  for (int i = 0; i < kKeyCount; ++i) ASSERT_NE(keys[i], nullptr) << i;

  Click(Child(window, L"Mark All Buttons"));
  std::string wrong;
  EXPECT_TRUE(WaitFor([&] { return (wrong = KeysNotShowing(keys, kGreen, false)).empty(); }))
      << wrong;
  EXPECT_EQ(BlockList(), kAllCodes + "\r\n");

  Click(Child(window, L"Unmark All Buttons"));
  EXPECT_TRUE(WaitFor([&] { return (wrong = KeysNotShowing(keys, kGray, true)).empty(); }))
      << wrong;
  EXPECT_EQ(BlockList(), std::optional<std::string>("\r\n"));
  EXPECT_EQ(ErrorBoxesShown(), 0);
  EXPECT_TRUE(program_->End());
}

TEST_F(MarkingAndLocking, LockingSwallowsMarkedKeysUntilStop) {
  WriteFileBytes(temp_ / L"xsettings.txt", "\r\n");
  Start();
  HWND window = MainWindow();
  ASSERT_NE(window, nullptr);
  HWND a = Keys(window)[41];
  Click(a);
  ASSERT_TRUE(WaitFor([&] { return Face(a) == kGreen; }));
  ASSERT_EQ(BlockList(), std::optional<std::string>("65,\r\n"));

  HWND lockingSwitch = Child(window, L"Start Disabling");
  ASSERT_NE(lockingSwitch, nullptr);
  Click(lockingSwitch);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
  EXPECT_TRUE(WaitFor([&] { return WindowText(lockingSwitch) == L"Stop"; }));

  InputReceiver receiver({700, 600, 900, 700}, 0x3366CC);
  ASSERT_TRUE(receiver.BringToFront());
  TapKey('A');
  TapKey('B');
  ASSERT_TRUE(WaitFor([&] { return receiver.Count(WM_KEYUP) >= 1; }));
  EXPECT_EQ(receiver.KeysDown(), std::vector<WPARAM>{'B'}) << "the marked A is swallowed";

  // Brought back by another program, as the tray icon will.
  ShowWindow(window, SW_SHOW);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }));
  ASSERT_TRUE(MakeActive(window));
  Click(lockingSwitch);
  EXPECT_TRUE(WaitFor([&] { return WindowText(lockingSwitch) == L"Start Disabling"; }));

  receiver.Reset();
  ASSERT_TRUE(receiver.BringToFront());
  TapKey('A');
  TapKey('B');
  ASSERT_TRUE(WaitFor([&] { return receiver.Count(WM_KEYUP) >= 2; }));
  EXPECT_EQ(receiver.KeysDown(), (std::vector<WPARAM>{'A', 'B'})) << "nothing is locked";
  EXPECT_EQ(BlockList(), std::optional<std::string>("65,\r\n"));
  EXPECT_EQ(ErrorBoxesShown(), 0);
  EXPECT_TRUE(program_->End());
}

TEST_F(MarkingAndLocking, PressingARealKeyWhileTheWindowIsActiveMarksIt) {
  WriteFileBytes(temp_ / L"xsettings.txt", "\r\n");
  Start();
  HWND window = MainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(MakeActive(window));
  HWND a = Keys(window)[41];

  // Held until a poll has seen it (a poll sees a key only while it is down),
  // then across several more polls: it toggles once. Wine lets go of an
  // injected key when the window's X focus arrives after the press, so a
  // press that no poll saw is made again.
  bool marked = false;
  for (int attempt = 0; attempt < 3 && !marked; ++attempt) {
    PressKey('A');
    marked = WaitFor([&] { return Face(a) == kGreen; }, 3s);
    if (marked) PumpMessagesFor(350ms);
    ReleaseKey('A');
  }
  ASSERT_TRUE(marked) << std::hex << Face(a);
  PumpMessagesFor(300ms);
  EXPECT_EQ(Face(a), kGreen);
  EXPECT_EQ(BlockList(), std::optional<std::string>("65,\r\n"));
  EXPECT_EQ(ErrorBoxesShown(), 0);
  EXPECT_TRUE(program_->End());
}

TEST_F(MarkingAndLocking, FailedSaveOfMarkAllIsReportedAndMarkingGoesOn) {
  temp_ = folder_.Path() / L"No such folder";
  Start();
  // The load reports that it can neither copy nor read the list there.
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    for (HWND box : program_->TopLevelWindows()) {
      if (IsWindowVisible(box) && WindowText(box) == L"Application Error" &&
          BoxMessage(box).find(L"Form1.Form_Load ") != std::wstring::npos) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
    }
    window = program_->WaitForMainWindow(L"Tallowmere", 100ms);
    return window != nullptr;
  }));

  Click(Child(window, L"Mark All Buttons"));
  HWND box = ErrorBox();
  ASSERT_NE(box, nullptr);
  const std::wstring message = BoxMessage(box);
  const std::wstring expectedEnd =
      L"\r\nin Quorvane2021/08/31.Form1.PushButton1_Click at line 108\r\r"
      L"Please email screenshot of this message to " +
      Wide(std::string(kSupportAddress));
  ASSERT_GT(message.size(), expectedEnd.size());
  EXPECT_EQ(message.substr(message.size() - expectedEnd.size()), expectedEnd);
  EXPECT_GT(message.find(L"\r\n"), 0u) << "the system's description comes first: " << Utf8(message);

  HWND ok = Child(box, L"OK");
  ASSERT_NE(ok, nullptr);
  Click(ok);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  std::string wrong;
  EXPECT_TRUE(WaitFor([&] {
    return (wrong = KeysNotShowing(Keys(window), kGreen, false)).empty();
  })) << wrong;
  EXPECT_FALSE(program_->HasExited());
  EXPECT_TRUE(program_->End());
}

}  // namespace
}  // namespace tallowmere::e2e
