// Blocking that survives the system dropping the hooks: the main window,
// locking and hidden, runs the watch on its own timer; the watch finds that
// input went past the hooks and installs them again.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "engine/HookWatch.h"
#include "platform/win32/Form1Window.h"
#include "platform/win32/Win32HookCalls.h"
#include "platform/win32/Win32InputState.h"
#include "unit/fakes/FakePlatform.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"

namespace tallowmere::test {
namespace {

constexpr std::chrono::milliseconds kTimeout = 5s;

// The real hooks, counting their installations.
class CountingHooks : public Win32HookCalls {
 public:
  int installs = 0;
  HookInstall Install(HookKind kind, HookProcedures& procedures) override {
    ++installs;
    return Win32HookCalls::Install(kind, procedures);
  }
};

class HookWatchWin : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.blockList.content = "65,\r\n";
    form1.Create();
    form1.Show(SW_SHOWNORMAL);
    probe = std::make_unique<InputReceiver>();
    ASSERT_TRUE(probe->BringToFront());
  }

  void ClickStart() {
    form1.form().PushButton6_Click();
    ASSERT_EQ(form1.form().Action(ControlId::PushButton6).Caption, "Stop");
    ASSERT_EQ(hooks.installs, 2);
  }

  // Presses A (listed) and then B (not listed) and waits for B while the
  // thread's messages, the main window's timer among them, are dispatched:
  // whether A got through is decided by then.
  bool ListedKeyGotThrough() {
    probe->Reset();
    TapKey('A');
    TapKey('B');
    EXPECT_TRUE(probe->WaitFor(WM_KEYUP, 'B', kTimeout)) << "the key B never arrived";
    return probe->Count(WM_KEYDOWN, 'A') > 0;
  }

  // Keeps pressing keys for about the time given; says whether A ever got
  // through.
  bool ListedKeyGotThroughWithin(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    bool through = false;
    while (GetTickCount64() < end) {
      through = ListedKeyGotThrough() || through;
      PumpMessagesFor(50ms);
    }
    return through;
  }

  CountingHooks hooks;
  FakePlatform fake;
  Win32InputState input;
  Platform platform = fake.With(input, hooks);
  Form1Window form1{platform};
  std::unique_ptr<InputReceiver> probe;
};

TEST_F(HookWatchWin, BlockingResumesWithinAboutASecondAfterTheHooksAreLost) {
  ClickStart();
  EXPECT_FALSE(IsWindowVisible(form1.hwnd())) << "locking hides the window; its timer runs on";
  EXPECT_FALSE(ListedKeyGotThroughWithin(4 * kHookWatchInterval));
  EXPECT_EQ(hooks.installs, 2) << "hooks that see every input are left alone";

  // Windows drops hooks without telling their owner; here they go through
  // the hook calls, behind the back of the form's KBMouseHook.
  hooks.Remove(form1.form().kbMouseHook.KeyboardHookHandle());
  hooks.Remove(form1.form().kbMouseHook.MouseHookHandle());
  const ULONGLONG lost = GetTickCount64();
  int leaked = 0;
  while (ListedKeyGotThrough()) {
    ++leaked;
    ASSERT_LT(GetTickCount64() - lost, static_cast<ULONGLONG>(kTimeout.count()))
        << "blocking did not resume";
    PumpMessagesFor(50ms);
  }
  const ULONGLONG resumed = GetTickCount64() - lost;
  std::printf("blocking resumed %llu ms after the hooks were lost (%d presses of A got through)\n",
              resumed, leaked);
  RecordProperty("resumed_ms", std::to_string(resumed));
  EXPECT_GT(leaked, 0) << "the hooks were not lost";
  EXPECT_EQ(hooks.installs, 4) << "each hook is installed again once";
  EXPECT_FALSE(ListedKeyGotThroughWithin(2 * kHookWatchInterval));
  EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST_F(HookWatchWin, AfterStopTheWatchLeavesTheHooksAlone) {
  ClickStart();
  form1.form().PushButton6_Click();
  ASSERT_EQ(form1.form().Action(ControlId::PushButton6).Caption, "Start Disabling");
  EXPECT_TRUE(ListedKeyGotThroughWithin(4 * kHookWatchInterval));
  EXPECT_EQ(hooks.installs, 2);
}

}  // namespace
}  // namespace tallowmere::test
