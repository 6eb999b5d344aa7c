#include "engine/HookWatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "CaseName.h"
#include "fakes/Form1Fixture.h"

namespace tallowmere {
namespace {

// Input the desktop had since the previous look: just long enough ago that the
// hooks must have seen it (the look's reading of the clock moves it on by
// one), or just now.
constexpr std::uint32_t kLongAgo = kHookCallGrace - 1, kJustNow = 5;
static_assert(kLongAgo < kHookWatchInterval);

// Hook calls that also keep which hooks are installed at each moment, and
// record the most of one kind ever held at once.
class InstalledHooks : public FakeHookCalls {
 public:
  std::map<HookHandle, HookKind> installedNow;
  int mostOfOneKind = 0;
  std::vector<std::string> log;

  HookInstall Install(HookKind kind, HookProcedures& procedures) override {
    const HookInstall result = FakeHookCalls::Install(kind, procedures);
    log.push_back(kind == HookKind::Keyboard ? "install keyboard" : "install mouse");
    if (result.handle != 0) {
      installedNow[result.handle] = kind;
      int ofKind = 0;
      for (const auto& [handle, k] : installedNow) ofKind += k == kind ? 1 : 0;
      mostOfOneKind = std::max(mostOfOneKind, ofKind);
    }
    return result;
  }
  void Remove(HookHandle handle) override {
    FakeHookCalls::Remove(handle);
    const auto it = installedNow.find(handle);
    log.push_back(it == installedNow.end()
                      ? "remove nothing"
                      : (it->second == HookKind::Keyboard ? "remove keyboard" : "remove mouse"));
    if (it != installedNow.end()) installedNow.erase(it);
  }
};

class HookWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    input.clock = startTime;
    Lock();
  }
  // Both hooks installed and watched, as locking starts them.
  void Lock() {
    hook.HookKeyboard();
    hook.HookMouse();
    watch.Start(HookKind::Keyboard);
    watch.Start(HookKind::Mouse);
  }

  // The system receives an event of the kind `before` milliseconds before
  // now; the hook of the kind may be called for it.
  void Input(HookKind kind, std::uint32_t before, bool hookSeesIt) {
    input.lastByKind[static_cast<int>(kind)] = input.clock - before;
    if (hookSeesIt) HookCalled(kind);
  }
  // The hook is called for the latest input of its kind.
  void HookCalled(HookKind kind) {
    const std::uint32_t time = input.LastInputTime(kind).value_or(input.clock);
    kind == HookKind::Keyboard ? hook.KeyboardProc({65, true, false, time})
                               : hook.MouseProc({512, false, time});
  }
  // Input of both kinds since the previous look that no hook saw.
  void MissedInput() {
    input.clock += kHookWatchInterval;
    Input(HookKind::Keyboard, kLongAgo, false);
    Input(HookKind::Mouse, kLongAgo, false);
  }

  InstalledHooks hooks;
  FakeBlockListSource blockList;
  FakeHookEvents events;
  FakeInput input;
  KBMouseHook hook{hooks, blockList, input, events};
  HookWatch watch{hook, input};
  std::uint32_t startTime = 50'000;
};

// One interval of the watch: time passes, maybe the desktop has input of the
// watched kind some milliseconds before the look, maybe its hook is called
// before the look; then the watch looks.
struct Look {
  std::optional<std::uint32_t> inputBeforeLook;  // none: no input this interval
  bool hookSeesIt;
  bool reinstalls;
};

struct WatchCase {
  const char* name;
  std::vector<Look> looks;
  std::uint32_t startTime = 50'000;
};

// Each case for either hook, while the other hook sees input of its own kind
// at every look, as a mouse that keeps moving while keys go unseen.
class HookWatchLooks : public HookWatchTest,
                       public ::testing::WithParamInterface<std::tuple<WatchCase, HookKind>> {
 protected:
  void SetUp() override {
    startTime = std::get<0>(GetParam()).startTime;
    HookWatchTest::SetUp();
  }
};

TEST_P(HookWatchLooks, ReinstallsExactlyTheHookWhoseInputWentUnseen) {
  const auto& [c, kind] = GetParam();
  const HookKind other = kind == HookKind::Keyboard ? HookKind::Mouse : HookKind::Keyboard;
  int look = 0;
  for (const Look& s : c.looks) {
    ++look;
    input.clock += kHookWatchInterval;
    if (s.inputBeforeLook) Input(kind, *s.inputBeforeLook, false);
    if (s.hookSeesIt) HookCalled(kind);
    Input(other, kJustNow, true);
    hooks.log.clear();
    EXPECT_EQ(watch.Tick(), s.reinstalls) << "look " << look;
    const std::string name = kind == HookKind::Keyboard ? "keyboard" : "mouse";
    const std::vector<std::string> reinstalled = {"remove " + name, "install " + name};
    EXPECT_EQ(hooks.log, s.reinstalls ? reinstalled : std::vector<std::string>())
        << "look " << look;
  }
}

const WatchCase kWatchCases[] = {
    {"HookSeesEveryInput", {{kLongAgo, true, false}, {kJustNow, true, false}, {0, true, false}}},
    {"NoInputAtAll", {{{}, false, false}, {{}, false, false}, {{}, false, false}}},
    {"MissedInputOlderThanTheGrace", {{kLongAgo, false, true}, {{}, false, false}}},
    {"MissedInputWithinTheGraceIsJudgedAtTheNextLook",
     {{kJustNow, false, false}, {{}, false, true}}},
    {"MissedInputThatGoesOnIsFoundAtTheSecondLook",
     {{kJustNow, false, false}, {kJustNow, false, true}, {kJustNow, true, false}}},
    {"LateHookCallClearsTheSuspicion",
     {{kJustNow, false, false}, {{}, true, false}, {{}, false, false}}},
    // The keyboard's watch starts first, one reading of the clock before the
    // mouse's.
    {"InputUpToTheStartOfLockingIsNotCounted",
     {{kHookWatchInterval + 1, false, false}, {{}, false, false}}},
    {"InputStampedAfterTheLookIsNotYetLate", {{0u - 3u, false, false}, {{}, false, true}}},
    {"ClockWrapsAroundWhileTheHookSeesInput",
     {{kLongAgo, true, false}, {kJustNow, true, false}, {kLongAgo, true, false}},
     0u - kHookWatchInterval - 6},
    {"ClockWrapsAroundWhileInputGoesUnseen",
     {{kJustNow, true, false}, {{}, false, false}, {kLongAgo, false, true}},
     0u - 2 * kHookWatchInterval - 12},
    {"AfterReinstallingTheSameOldInputCountsNoMore",
     {{kLongAgo, false, true}, {{}, false, false}, {{}, false, false}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, HookWatchLooks,
                         ::testing::Combine(::testing::ValuesIn(kWatchCases),
                                            ::testing::Values(HookKind::Keyboard, HookKind::Mouse)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) == HookKind::Keyboard ? "Keyboard"
                                                                                 : "Mouse");
                         });

TEST_F(HookWatchTest, WatchingTheInputGoesWithLocking) {
  EXPECT_TRUE(input.watching);
  watch.Stop();
  EXPECT_FALSE(input.watching);
  MissedInput();
  EXPECT_FALSE(watch.Tick());
}

TEST_F(HookWatchTest, ReinstallRemovesEachHookBeforeInstallingItAgain) {
  hooks.log.clear();
  MissedInput();
  ASSERT_TRUE(watch.Tick());
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"remove keyboard", "install keyboard",
                                                 "remove mouse", "install mouse"}));
  EXPECT_EQ(hooks.mostOfOneKind, 1);
  EXPECT_EQ(hooks.installedNow.size(), 2u);
  EXPECT_EQ(hooks.installedNow[hook.KeyboardHookHandle()], HookKind::Keyboard);
  EXPECT_EQ(hooks.installedNow[hook.MouseHookHandle()], HookKind::Mouse);
  EXPECT_TRUE(events.failures.empty());
}

TEST_F(HookWatchTest, AFailedInstallationAtStartIsNotRetriedTheOtherHookIsWatched) {
  hooks.failure = 1400;
  hook.HookMouse();
  watch.Start(HookKind::Keyboard);
  watch.Start(HookKind::Mouse);
  hooks.failure.reset();
  hooks.log.clear();
  for (int look = 0; look < 3; ++look) {
    input.clock += kHookWatchInterval;
    Input(HookKind::Mouse, kLongAgo, false);
    EXPECT_FALSE(watch.Tick());
  }
  Input(HookKind::Keyboard, kLongAgo, false);
  EXPECT_TRUE(watch.Tick());
  EXPECT_EQ(hooks.log, (std::vector<std::string>{"remove keyboard", "install keyboard"}));
}

TEST_F(HookWatchTest, AFailedReinstallationIsReportedOnceAndTheWatchEnds) {
  hooks.failure = 5;
  MissedInput();
  ASSERT_TRUE(watch.Tick());
  EXPECT_EQ(events.failures,
            (std::vector<FakeHookEvents::Failure>{{HookKind::Keyboard, 5}, {HookKind::Mouse, 5}}));
  for (int look = 0; look < 3; ++look) {
    MissedInput();
    EXPECT_FALSE(watch.Tick());
  }
  EXPECT_EQ(events.failures.size(), 2u);

  // Locking started again watches again.
  hooks.failure.reset();
  Lock();
  MissedInput();
  EXPECT_TRUE(watch.Tick());
}

TEST_F(HookWatchTest, TicksWhileAFailureMessageIsOpenDoNothing) {
  hooks.failure = 5;
  std::vector<bool> nested;
  events.onFailure = [&] {
    MissedInput();
    nested.push_back(watch.Tick());
  };
  MissedInput();
  EXPECT_TRUE(watch.Tick());
  EXPECT_EQ(nested, (std::vector<bool>{false, false}));
  EXPECT_EQ(hooks.installed.size(), 4u);
}

// The watch as the main window runs it: only while locking.
class Form1HookWatch : public WithForm1<> {
 protected:
  void MissedInput() {
    fake.input.clock += kHookWatchInterval;
    fake.input.lastByKind[0] = fake.input.lastByKind[1] = fake.input.clock - kLongAgo;
  }

  FakeHookCalls& hooks = fake.hooks;
};

TEST_F(Form1HookWatch, WhileLockingLostHooksAreInstalledAgain) {
  form.PushButton6_Click();
  MissedInput();
  form.LockingTimer_Timer();
  EXPECT_EQ(hooks.installed, (std::vector<HookKind>{HookKind::Keyboard, HookKind::Mouse,
                                                    HookKind::Keyboard, HookKind::Mouse}));
  EXPECT_EQ(form.Action(ControlId::PushButton6).Caption, "Stop");
}

TEST_F(Form1HookWatch, IdleOrStoppedTheWatchDoesNothing) {
  MissedInput();
  form.LockingTimer_Timer();
  form.PushButton6_Click();
  form.SetWindowVisible(true);
  form.PushButton6_Click();
  MissedInput();
  form.LockingTimer_Timer();
  EXPECT_EQ(hooks.installed.size(), 2u);
  EXPECT_EQ(hooks.removed.size(), 2u);
}

TEST_F(Form1HookWatch, TheWayOutStopsLockingAndBringsTheWindowBackItsHeldKeysMarkNothing) {
  const auto tip = [&] { return form.cSysTray1.TrayTip(); };
  fake.input.active = false;
  form.PushButton6_Click();
  EXPECT_EQ(tip(), kLockingTrayTip);
  for (const std::uint32_t code : kWayOutKeys) {
    form.locking.kbMouseHook.KeyboardProc({code, true, false, fake.input.clock});
  }
  fake.input.clock += kWayOutHold + kHookWatchInterval;
  form.LockingTimer_Timer();
  EXPECT_EQ(form.Action(ControlId::PushButton6).Caption, "Start Disabling");
  EXPECT_EQ(hooks.removed.size(), 2u);
  EXPECT_TRUE(form.Visible);
  EXPECT_EQ(std::count(fake.view.operations.begin(), fake.view.operations.end(), "Focus"), 1);
  EXPECT_EQ(tip(), "Tallowmere");

  // Back and active, with the keys still held and repeating.
  fake.input.active = true;
  form.ActivationChanged();
  const auto poll = [&](int code, std::uint16_t state) {
    fake.input.states[code] = state;
    fake.input.lastInput = ++fake.input.clock;
    form.Timer1_Timer();
  };
  for (const int code : {0x10, 0xA0, 0xA1, 0x1B}) fake.input.states[code] = 0x8000;
  const int saves = fake.files.replaces;
  poll(0x1B, 0x8001);
  poll(0xA0, 0x8001);
  EXPECT_EQ(form.cmdKey[0].BackColor, kUnmarkedColor) << "Esc";
  EXPECT_EQ(fake.files.replaces, saves);
  poll(0x1B, 0);
  poll(0x1B, 0x8001);
  EXPECT_EQ(form.cmdKey[0].BackColor, kMarkedColor) << "pressed anew, Esc marks";
}

}  // namespace
}  // namespace tallowmere
