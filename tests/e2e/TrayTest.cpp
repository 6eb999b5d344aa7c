// The tray icon of the real Tallowmere.exe in Wine's "Wine System Tray"
// window, driven with real clicks: minimising to the tray, coming back (also
// by starting the program again), the balloon, the icon that shows locking,
// and quitting while locking.

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "win/support/FileBytes.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"
#include "win/support/MainWindowUnderTest.h"
#include "win/support/PassedOnInput.h"
#include "win/support/ScreenCapture.h"
#include "win/support/TallowmereBuild.h"
#include "win/support/TrayDesktop.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

constexpr wchar_t kBalloonFirstLine[] = L"has been minimized to the system tray.";
// Both Shift keys and Esc held: as X key events, which Wine's key state sees
// as a keyboard's, or injected, which the hooks see too. A test that fails
// while holding them still lets go.
class ChordHeld {
 public:
  explicit ChordHeld(bool injected = false) : injected_(injected) { Send(true); }
  ChordHeld(const ChordHeld&) = delete;
  ChordHeld& operator=(const ChordHeld&) = delete;
  ~ChordHeld() {
    try {
      Send(false);
    } catch (const std::exception&) {
      ADD_FAILURE() << "the chord's keys stay down";
    }
  }

 private:
  void Send(bool down) const {
    if (!injected_)
      return XKeys(std::string(down ? "keydown" : "keyup") + " Shift_L Shift_R Escape");
    for (const WORD key : {VK_LSHIFT, VK_RSHIFT, VK_ESCAPE}) down ? PressKey(key) : ReleaseKey(key);
  }

  bool injected_;
};
// Two pictures of one icon in Wine's tray differ by about 1.3 per colour byte.
constexpr double kSameIcon = 8;

class TrayIcon : public MainWindowUnderTest, public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileBytes(program_.BlockListFile(), "\r\n");
    before_ = TrayIconWindows();
    ASSERT_TRUE(Start()) << "no main window";
    normal_ = ScreenRect(window_);
    ASSERT_TRUE(WaitFor([&] { return (icon_ = NewIcon()) != nullptr; }))
        << "no new icon in the Wine System Tray";
  }

  void TearDown() override { EXPECT_TRUE(Program().End()); }

  // The program's icon among those of the Wine System Tray.
  HWND NewIcon() const {
    for (HWND icon : TrayIconWindows()) {
      if (std::find(before_.begin(), before_.end(), icon) == before_.end()) return icon;
    }
    return nullptr;
  }

  void Minimise() {
    PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return Hidden(); })) << "minimising did not hide the window";
  }
  bool Hidden() { return !IsWindowVisible(window_); }
  // Shown in its normal state, where it was.
  bool ShownNormal() {
    if (!IsWindowVisible(window_) || IsIconic(window_)) return false;
    const RECT now = ScreenRect(window_);
    return EqualRect(&now, &normal_) != FALSE;
  }
  void ClickIcon(MouseButton button) { ClickAt(Centre(ScreenRect(icon_)), button); }
  bool ClickBringsBack(MouseButton button) {
    ClickIcon(button);
    return WaitFor([&] { return ShownNormal(); });
  }
  static bool BalloonShown(const wchar_t* firstLine = kBalloonFirstLine) {
    for (const std::wstring& text : VisibleTooltipTexts()) {
      if (text.find(firstLine) != std::wstring::npos) return true;
    }
    return false;
  }
  HWND Control(const wchar_t* text) {
    const auto found = FindChildren(window_, text);
    return found.empty() ? nullptr : found.front();
  }
  void Click(const wchar_t* text) {
    HWND control = Control(text);
    ASSERT_NE(control, nullptr) << "no control";
    ClickAt(Centre(ScreenRect(control)));
  }
  std::string BlockList() { return ReadFileBytes(program_.BlockListFile()).value_or(""); }
  // How much the icon differs from `before`. Wine's tray draws a new icon over the
  // old one unerased; `afresh` repaints it, which a picture may catch half done.
  double IconChange(const ScreenCapture& before, bool afresh) const {
    if (afresh)
      RedrawWindow(GetParent(icon_), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return ScreenCapture::Take().Difference(before, ScreenRect(icon_));
  }

  std::vector<HWND> before_;
  HWND icon_ = nullptr;
  RECT normal_{};
};

TEST_F(TrayIcon, IsInTheTrayWhileTheProgramRunsAndGoesWhenItCloses) {
  EXPECT_TRUE(IsWindowVisible(icon_));
  EXPECT_TRUE(Program().End());
  EXPECT_EQ(Program().ExitCode(), 0u);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(icon_); })) << "the icon stayed in the tray";
}

TEST_F(TrayIcon, MinimisingHidesTheWindowAndALeftReleaseBringsItBackNormal) {
  Minimise();
  EXPECT_TRUE(ClickBringsBack(MouseButton::Left));
}

TEST_F(TrayIcon, MinimisingTwiceShowsTheBalloonOnlyTheFirstTime) {
  Minimise();
  EXPECT_TRUE(WaitFor([] { return BalloonShown(); })) << "no balloon the first time";
  ASSERT_TRUE(ClickBringsBack(MouseButton::Left));
  ASSERT_TRUE(WaitFor([] { return !BalloonShown(); })) << "the first balloon stayed";

  Minimise();
  // The first balloon took about two seconds to come: twice that is enough.
  EXPECT_FALSE(WaitFor([] { return BalloonShown(); }, 4s)) << "a balloon the second time";
  EXPECT_TRUE(ClickBringsBack(MouseButton::Left));
}

TEST_F(TrayIcon, ShowsLockingComesBackWhenTheTaskbarRestartsAndBringsBackTheLockedWindow) {
  const ScreenCapture idle = ScreenCapture::Take();
  StartLocking();
  EXPECT_TRUE(WaitFor([&] { return IconChange(idle, false) > kSameIcon; })) << "looks idle";
  const ScreenCapture locked = ScreenCapture::Take();
  // A restarting shell forgets every icon, then asks for them again.
  NOTIFYICONDATAW forgotten{};
  forgotten.cbSize = sizeof forgotten;
  for (HWND window : Program().TopLevelWindows()) {
    if (ClassName(window) == L"cSysTray") forgotten.hWnd = window;
  }
  ASSERT_NE(forgotten.hWnd, nullptr) << "no window of the tray control";
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forgotten));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(icon_); })) << "the shell kept the icon";
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ASSERT_TRUE(WaitFor([&] { return (icon_ = NewIcon()) != nullptr; })) << "no icon came back";
  EXPECT_TRUE(WaitFor([&] { return IconChange(locked, true) < kSameIcon; })) << "came back idle";

  ASSERT_TRUE(ClickBringsBack(MouseButton::Right));
  EXPECT_NE(Control(L"Stop"), nullptr) << "bringing the window back stopped locking";
  EXPECT_EQ(Control(L"Start Disabling"), nullptr);
  Click(L"Stop");
  EXPECT_TRUE(WaitFor([&] { return IconChange(idle, true) < kSameIcon; })) << "still locked";
}

TEST_F(TrayIcon, BlockedLeftClicksCannotBringTheWindowBackARightClickCan) {
  Click(L"Disable Left Click");
  ASSERT_TRUE(WaitFor([&] { return BlockList() == "513,514,\r\n"; })) << BlockList();
  StartLocking();
  ClickIcon(MouseButton::Left);
  ClickIcon(MouseButton::Left);
  EXPECT_FALSE(WaitFor([&] { return IsWindowVisible(window_) != FALSE; }, 2s))
      << "a swallowed left click brought the window back";
  EXPECT_TRUE(ClickBringsBack(MouseButton::Right));
}

TEST_F(TrayIcon, ClosingWhileLockingRemovesBothHooksAndEndsTheProgram) {
  Click(L"a");
  Click(L"Disable Right Click");
  ASSERT_TRUE(WaitFor([&] { return BlockList() == "65,516,517,\r\n"; })) << BlockList();
  StartLocking();

  // Another program: keys and right clicks do not reach it while locking.
  InputReceiver other(RECT{700, 60, 900, 160}, 0x33AA33);
  ASSERT_EQ(other.KeysArriving({'A', 'B'}), (std::vector<WPARAM>{'B'}));
  ClickAt(Centre(ScreenRect(other.Window())), MouseButton::Right);
  TapKey('B');  // comes after the click
  ASSERT_TRUE(WaitFor([&] { return other.Count(WM_KEYUP) == 2; }));
  ASSERT_EQ(other.Count(WM_RBUTTONUP), 0);

  EXPECT_TRUE(Program().End()) << "closing did not end the program";
  EXPECT_EQ(Program().ExitCode(), 0u);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(icon_); })) << "the icon stayed in the tray";

  EXPECT_EQ(other.KeysArriving({'A'}), (std::vector<WPARAM>{'A'})) << "A is still swallowed";
  ClickAt(Centre(ScreenRect(other.Window())), MouseButton::Right);
  EXPECT_TRUE(WaitFor([&] { return other.Count(WM_RBUTTONUP) == 1; }))
      << "right clicks are still swallowed";
}

// Started again from its own folder while hidden in the tray, or from a copy
// elsewhere (a portable one beside an installed one) while locking.
TEST_F(TrayIcon, AnotherStartBringsBackTheHiddenWindowAndEndsHavingWrittenNothing) {
  const TestFolder elsewhere;
  for (const bool locking : {false, true}) {
    locking ? StartLocking() : Minimise();
    const auto list = StampOf(program_.BlockListFile());
    const auto exe =
        locking ? InstallProgram(elsewhere) : program_.ProgramFolder() / L"Tallowmere.exe";
    EXPECT_EQ(RunningProgram({exe, program_.Temp(), {}}).WaitForExit(), 0u);
    EXPECT_TRUE(WaitFor([&] { return ShownNormal() && GetForegroundWindow() == window_; }));
    EXPECT_EQ(Control(L"Stop") != nullptr, locking);
    EXPECT_EQ(TrayIconWindows().size(), before_.size() + 1);
    EXPECT_TRUE(StampOf(program_.BlockListFile()) == list) << "the block list was written";
  }
  Minimise();  // the program knows its window is no longer hidden in the tray
}

// A copy that holds the program's mutex but never shows a window to answer:
// the new start says so in a box of its own, and ends once it is closed.
TEST(AnotherStart, SaysSoWhenTheRunningCopyDoesNotAnswerAndEnds) {
  const Handle running(CreateMutexW(nullptr, TRUE, L"Local\\Varnholt.Tallowmere"));
  TallowmereUnderTest program;
  program.Launch();
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] { return IsWindowVisible(box = FindWindowW(L"#32770", L"Tallowmere")) != FALSE; }));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.Program().WaitForExit(), 2u);
}

// Held in another program, as X key events, the chord starts locking; held
// again, injected, it stops it whatever is blocked. Released early or held
// on, it does nothing more.
TEST_F(TrayIcon, TheChordStartsLockingFromAnotherProgramAndStopsItOnceAHold) {
  // X key events reach the window under the pointer when no window has the
  // X focus, as after a program's window has gone.
  MovePointerTo(Centre(ScreenRect(window_)));
  // In the active main window, the keys mark their buttons instead. Esc
  // repeats while held, which the poll may take for presses; the Shift keys
  // do not.
  SetForegroundWindow(window_);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window_; }));
  {
    const ChordHeld held;
    PumpMessagesFor(2500ms);
  }
  EXPECT_TRUE(WaitFor([&] { return BlockList().find("161,160,\r\n") != std::string::npos; }))
      << BlockList();
  EXPECT_NE(Control(L"Start Disabling"), nullptr);

  Click(L"Mark All Buttons");
  for (const wchar_t* option :
       {L"Disable Left Click", L"Disable Right Click", L"Disable Mouse Movement",
        L"Disable Mouse Scroll", L"Disable Middle Button"}) {
    Click(option);
  }
  ASSERT_TRUE(WaitFor([&] { return BlockList().find("522,519,520,") != std::string::npos; }))
      << BlockList();
  const std::string list = BlockList();
  InputReceiver other(RECT{700, 60, 900, 160}, 0x33AA33);
  MovePointerTo(Centre(ScreenRect(other.Window())));
  for (const bool locking : {false, true}) {
    ASSERT_TRUE(other.BringToFront());
    {
      const ChordHeld early(locking);
      PumpMessagesFor(1000ms);
    }
    PumpMessagesFor(2000ms);
    EXPECT_EQ(Control(L"Stop") != nullptr, locking) << "an early release switched";
    {
      const ChordHeld held(locking);
      EXPECT_TRUE(WaitFor([&] { return (Control(L"Stop") == nullptr) == locking; }, 5s));
      PumpMessagesFor(3000ms);
    }
    EXPECT_EQ(Control(L"Stop") == nullptr, locking) << "one hold switched back";
    if (!locking) {
      EXPECT_TRUE(Hidden());
      EXPECT_TRUE(WaitFor([] { return BalloonShown(L"Blocking has started."); }))
          << "no notice of how to stop";
      EXPECT_EQ(other.KeysArriving({'A', VK_F24}), (std::vector<WPARAM>{VK_F24}));
    }
  }
  // The window came back with the focus; the keys held then marked nothing,
  // and no hook is left.
  EXPECT_TRUE(WaitFor([&] { return ShownNormal() && GetForegroundWindow() == window_; }));
  PumpMessagesFor(500ms);
  EXPECT_EQ(BlockList(), list) << "the way out's keys marked or unmarked a key";
  EXPECT_EQ(other.KeysArriving({'A'}), (std::vector<WPARAM>{'A'}));
}

// A key held as locking starts is let go everywhere: its release reaches the
// rest of the hook chain, whatever is marked. Under Wine, the desktop's key
// state reads it up either way: the chain tells.
TEST_F(TrayIcon, AKeyHeldWhenLockingStartsIsLetGoEverywhere) {
  MainWindowUnderTest::Click(Key(68));  // the left Shift
  ASSERT_TRUE(WaitFor([&] { return BlockList() == "160,\r\n"; })) << BlockList();
  constexpr ULONG_PTR kTag = 0x5EED;
  PassedOnInput passed(kTag);
  PressKey(VK_LSHIFT, kTag);
  StartLocking();
  ReleaseKey(VK_LSHIFT, kTag);
  EXPECT_TRUE(WaitFor([&] { return passed.KeysUp(VK_LSHIFT) == 1; }))
      << "the release was swallowed";
  // Pressed while locking, it is swallowed going down and coming up.
  PressKey(VK_LSHIFT, kTag);
  ReleaseKey(VK_LSHIFT, kTag);
  PumpMessagesFor(500ms);
  EXPECT_EQ(passed.KeysDown(VK_LSHIFT), 1);
  EXPECT_EQ(passed.KeysUp(VK_LSHIFT), 1);
}

}  // namespace
}  // namespace tallowmere::test
