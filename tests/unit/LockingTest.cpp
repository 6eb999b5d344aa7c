#include "engine/Locking.h"

#include <gtest/gtest.h>

#include <vector>

#include "CaseName.h"
#include "fakes/FakeHooks.h"

namespace tallowmere {
namespace {

constexpr std::uint32_t kLShift = 0xA0, kRShift = 0xA1, kEsc = 0x1B, kShift = 0x10;

// One step of a hold: a key goes down or up (in the key state, and through
// the keyboard hook while one is in), the main window becomes active or not,
// its button is clicked, or locking looks, at a time, and is then on or off.
struct ChordStep {
  enum What { Down, Up, Activate, Deactivate, Click, Look } what;
  std::uint32_t value;  // the key, or the time of a look
  bool on = false;
};
constexpr ChordStep Down(std::uint32_t key) {
  return {ChordStep::Down, key};
}
constexpr ChordStep Up(std::uint32_t key) {
  return {ChordStep::Up, key};
}
constexpr ChordStep LookAt(std::uint32_t time, bool on) {
  return {ChordStep::Look, time, on};
}
constexpr ChordStep kActivate{ChordStep::Activate, 0}, kDeactivate{ChordStep::Deactivate, 0},
    kClick{ChordStep::Click, 0};

struct ChordCase {
  const char* name;
  bool startOn;
  std::vector<ChordStep> steps;
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

  FakeHookCalls hooks;
  FakeBlockListSource list;
  FakeInput input;
  Locking locking{hooks, list, input, *this};
};

TEST_P(Chord, StartsAndStopsOncePerHold) {
  input.active = false;
  input.clock = 0;
  list.content = "160,161,27,\r\n";  // swallowed or not, the hook sees them
  if (GetParam().startOn) StartLockingRequested();
  int step = 0;
  for (const ChordStep& s : GetParam().steps) {
    ++step;
    switch (s.what) {
      case ChordStep::Down:
      case ChordStep::Up:
        input.states[static_cast<int>(s.value)] = s.what == ChordStep::Down ? 0x8000 : 0;
        if (locking.IsOn())
          locking.kbMouseHook.KeyboardProc(
              {s.value, s.what == ChordStep::Down, false, input.clock});
        break;
      case ChordStep::Activate:
      case ChordStep::Deactivate:
        input.active = s.what == ChordStep::Activate;
        break;
      case ChordStep::Click:
        locking.IsOn() ? StopLockingRequested() : StartLockingRequested();
        break;
      case ChordStep::Look:
        input.clock = s.value - 1;  // the look reads the clock once
        locking.Tick();
        EXPECT_EQ(locking.IsOn(), s.on) << "step " << step;
        break;
    }
    // Time passes between steps; the hook's events are stamped with it.
    input.clock += 10;
  }
}

const ChordCase kChordCases[] = {
    {"HeldTwoSecondsStartsALongHoldStartsOnce",
     false,
     {Down(kLShift), Down(kRShift), Down(kEsc), LookAt(100, false), LookAt(2099, false),
      LookAt(2100, true), Down(kLShift), Down(kRShift), Down(kEsc), LookAt(9000, true)}},
    {"ReleasedAndHeldAnewStopsThenStartsAgain", false, {Down(kLShift),       Down(kRShift),
                                                        Down(kEsc),          LookAt(0, false),
                                                        LookAt(2000, true),  Up(kLShift),
                                                        Up(kRShift),         Up(kEsc),
                                                        LookAt(2100, true),  Down(kLShift),
                                                        Down(kRShift),       Down(kEsc),
                                                        LookAt(4100, true),  LookAt(4200, false),
                                                        LookAt(9000, false), Up(kLShift),
                                                        Up(kRShift),         Up(kEsc),
                                                        LookAt(9100, false), Down(kLShift),
                                                        Down(kRShift),       Down(kEsc),
                                                        LookAt(9200, false), LookAt(11200, true)}},
    {"OneKeyLetGoIsNotTheEndOfAHoldThatActed",
     true,
     {Down(kLShift), Down(kRShift), Down(kEsc), LookAt(2100, false), Up(kEsc), LookAt(2200, false),
      Down(kEsc), LookAt(2300, false), LookAt(9000, false)}},
    {"EarlyReleaseCancels",
     false,
     {Down(kLShift), Down(kRShift), Down(kEsc), LookAt(0, false), Up(kEsc), LookAt(1500, false),
      Down(kEsc), LookAt(1600, false), LookAt(3599, false), LookAt(3600, true)}},
    {"EarlyReleaseCancelsWhileOn",
     true,
     {Down(kLShift), Down(kRShift), Down(kEsc), Up(kEsc), LookAt(2500, true), Down(kEsc),
      LookAt(2600, true), LookAt(4620, false)}},
    {"KeysHeldWhenLockingStartsCountOnlyPressedAnew",
     false,
     {Down(kLShift), Down(kRShift), Down(kEsc), kClick, Down(kLShift), Down(kRShift), Down(kEsc),
      LookAt(5000, true), Up(kLShift), Down(kLShift), LookAt(5100, true), LookAt(7100, true),
      Up(kRShift), Up(kEsc), Down(kRShift), Down(kEsc), LookAt(7200, true), LookAt(9200, false)}},
    {"TwoKeysAreNotEnough",
     false,
     {Down(kLShift), Down(kRShift), LookAt(0, false), LookAt(5000, false)}},
    {"GenericShiftIsNotEitherShift",
     true,
     {Down(kShift), Down(kRShift), Down(kEsc), LookAt(5000, true)}},
    {"InTheActiveMainWindowTheChordMarksKeysInstead",
     false,
     {kActivate, Down(kLShift), Down(kRShift), Down(kEsc), LookAt(0, false), LookAt(5000, false),
      kDeactivate, LookAt(5100, false), LookAt(7100, true)}},
    {"TheWayOutIntoTheActiveWindowWaitsThereForTheRelease",
     true,
     {Down(kLShift), Down(kRShift), Down(kEsc), LookAt(2100, false), kActivate, Up(kLShift),
      Up(kRShift), Up(kEsc), LookAt(2200, false), kDeactivate, Down(kLShift), Down(kRShift),
      Down(kEsc), LookAt(2300, false), LookAt(4300, true)}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Chord, ::testing::ValuesIn(kChordCases), CaseName());

// Off, locking looks while a key of the chord is down outside the main
// window. In it, the keys are not even read: a query would take away the
// press that marking a key looks for.
TEST(LockingOff, LooksWhileAKeyOfTheChordIsDownOutsideTheMainWindow) {
  FakeHookCalls hooks;
  FakeBlockListSource list;
  FakeInput input;
  FakeHookEvents events;
  Locking locking{hooks, list, input, events};
  input.states[kEsc] = 0x8000;
  locking.Tick();
  EXPECT_TRUE(input.queried.empty());
  EXPECT_FALSE(locking.Ticking());
  input.active = false;
  locking.Tick();
  EXPECT_TRUE(locking.Ticking());
  input.states[kEsc] = 0;
  locking.Tick();
  EXPECT_FALSE(locking.Ticking());
  EXPECT_EQ(events.startRequests, 0);
}

}  // namespace
}  // namespace tallowmere
