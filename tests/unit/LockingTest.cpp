#include "engine/Locking.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "CaseName.h"
#include "fakes/FakeHooks.h"

namespace tallowmere {
namespace {

// A hold of the chord, step by step, in words: keys going down ("LRE": left
// Shift, right Shift, Esc; "S": Shift) or up ("-E"), in the key state and
// through the keyboard hook while one is in; "active" or "inactive" for the
// main window; "click" on its button; "2100:on" for a look at that time,
// after which locking is on (or "off"). Time moves on by 10 between steps.
struct ChordCase {
  const char* name;
  const char* steps;
};

// Locking under a switch that does what the chord asks, as the window does.
class Chord : public ::testing::TestWithParam<ChordCase>, public LockingEvents {
 protected:
  void HookInstallFailed(HookKind, std::uint32_t) override {}
  void StartLockingRequested() override {
    locking.Start(HookKind::Keyboard);
    locking.Start(HookKind::Mouse);
  }
  void StopLockingRequested() override {
    locking.Stop(HookKind::Keyboard);
    locking.Stop(HookKind::Mouse);
  }
  void Key(char name, bool down) {
    static const std::map<char, std::uint32_t> kCodes = {
        {'L', 0xA0}, {'R', 0xA1}, {'E', 0x1B}, {'S', 0x10}};
    const std::uint32_t code = kCodes.at(name);
    input.states[static_cast<int>(code)] = down ? 0x8000 : 0;
    if (locking.IsOn()) locking.kbMouseHook.KeyboardProc({code, down, false, input.clock});
  }

  FakeHookCalls hooks;
  FakeBlockListSource list;
  FakeInput input;
  Locking locking{hooks, list, input, *this};
};

TEST_P(Chord, StartsAndStopsOncePerHold) {
  input.active = false;
  input.clock = 0;
  list.content = "160,161,27,\r\n";  // swallowed or not, the hook sees them
  std::istringstream steps(GetParam().steps);
  for (std::string step; steps >> step; input.clock += 10) {
    if (step == "click") {
      locking.IsOn() ? StopLockingRequested() : StartLockingRequested();
    } else if (step == "active" || step == "inactive") {
      input.active = step == "active";
    } else if (const std::size_t colon = step.find(':'); colon != std::string::npos) {
      input.clock = std::stoul(step.substr(0, colon)) - 1;  // the look reads the clock once
      locking.Tick();
      EXPECT_EQ(locking.IsOn(), step.substr(colon + 1) == "on") << step;
    } else {
      const bool down = step[0] != '-';
      for (const char key : step.substr(down ? 0 : 1)) Key(key, down);
    }
  }
}

const ChordCase kChordCases[] = {
    {"HeldTwoSecondsStartsALongHoldStartsOnce", "LRE 100:off 2099:off 2100:on LRE 9000:on"},
    {"ReleasedAndHeldAnewStopsThenStartsAgain",
     "LRE 0:off 2000:on -LRE 2100:on LRE 4100:on 4200:off 9000:off -LRE 9100:off LRE 9200:off "
     "11200:on"},
    {"OneKeyLetGoIsNotTheEndOfAHoldThatActed",
     "click LRE 2100:off -L 2200:off L 2300:off 9000:off"},
    {"EarlyReleaseCancels", "LRE 0:off -E 1500:off E 1600:off 3599:off 3600:on"},
    {"EarlyReleaseCancelsWhileOn", "click LRE -E 2500:on E 2600:on 4620:off"},
    {"KeysHeldWhenLockingStartsCountOnlyPressedAnew",
     "LRE click LRE 5000:on -L L 5100:on 7100:on -RE RE 7200:on 9200:off"},
    {"TwoKeysAreNotEnough", "LR 0:off 5000:off"},
    {"GenericShiftIsNotEitherShift", "click SRE 5000:on"},
    {"InTheActiveMainWindowTheChordMarksKeysInstead",
     "active LRE 0:off 5000:off inactive 5100:off 7100:on"},
    {"TheWayOutIntoTheActiveWindowWaitsThereForTheRelease",
     "click LRE 2100:off active -LRE 2200:off inactive LRE 2300:off 4300:on"},
};

INSTANTIATE_TEST_SUITE_P(Cases, Chord, ::testing::ValuesIn(kChordCases), CaseName());

// Off, in the active main window, the keys are not even read: a query would
// take away the press that marking a key looks for.
TEST_F(Chord, OffTheKeysAreReadOnlyOutsideTheActiveMainWindow) {
  Key('E', true);
  locking.Tick();
  EXPECT_TRUE(input.queried.empty());
  input.active = false;
  locking.Tick();
  EXPECT_FALSE(input.queried.empty());
}

}  // namespace
}  // namespace tallowmere
