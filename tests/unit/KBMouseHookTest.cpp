#include "engine/KBMouseHook.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CaseName.h"
#include "engine/BlockList.h"
#include "engine/KeyTable.h"
#include "fakes/FakeHooks.h"
#include "ui/Form1Layout.h"

namespace tallowmere {
namespace {

constexpr std::uint32_t kMouseMove = 512, kLeftDown = 513, kLeftUp = 514, kRightDown = 516,
                        kRightUp = 517, kMiddleDown = 519, kMiddleUp = 520, kWheel = 522,
                        kXDown = 523, kXUp = 524, kHorizontalWheel = 526;
constexpr auto kKey = HookKind::Keyboard, kMouse = HookKind::Mouse;

// What the program writes with every key marked and every mouse option ticked.
std::string FullList() {
  std::vector<ListEntries> keys, options;
  for (const KeyDef& key : kKeyTable) keys.push_back({key.tag, true});
  for (const MouseOption& option : kMouseOptions) options.push_back({option.entries, true});
  return BlockListContent(keys, options);
}

// Every virtual-key code, each followed by a comma.
std::string AllKeyCodes() {
  std::string list;
  for (int code = 1; code <= 254; ++code) list += std::to_string(code) + ",";
  return list;
}

const std::string kMouseOnly = "513,514,516,517,512,522,519,520,\r\n";
const std::string kLeftClick = "65,513,514,\r\n";

class KBMouseHookTest : public ::testing::Test {
 protected:
  // The event's time stamp: 4242.
  bool Decide(HookKind kind, std::uint32_t code, bool down = true) {
    return kind == kKey ? hook.KeyboardProc({code, down, false, 4242})
                        : hook.MouseProc({code, false, 4242});
  }

  FakeHookCalls calls;
  FakeBlockListSource list;
  FakeInput keys;
  FakeHookEvents events;
  KBMouseHook hook{calls, list, keys, events};
};

// The events of one kind, going down or not, met by one list: those
// swallowed and those passed on.
struct DecisionCase {
  const char* name;
  std::string list;
  HookKind kind;
  std::vector<std::uint32_t> swallowed;
  std::vector<std::uint32_t> passed;
  bool down = true;
  bool unreadable = false;
};

class Decision : public KBMouseHookTest, public ::testing::WithParamInterface<DecisionCase> {};

TEST_P(Decision, SwallowsExactlyTheListedCodes) {
  const DecisionCase& c = GetParam();
  list.content = c.list;
  list.unreadable = c.unreadable;
  for (const auto& [codes, swallowed] :
       {std::pair{c.swallowed, true}, std::pair{c.passed, false}}) {
    for (const std::uint32_t code : codes)
      EXPECT_EQ(Decide(c.kind, code, c.down), swallowed) << code;
  }
  EXPECT_EQ(list.reads, static_cast<int>(c.swallowed.size() + c.passed.size()));
  EXPECT_EQ(hook.LastEventTime(c.kind), 4242u) << "the watch learns what the hook saw";
  EXPECT_EQ(hook.LastEventTime(c.kind == kKey ? kMouse : kKey), std::nullopt);
}

const DecisionCase kDecisionCases[] = {
    {"ListedKeyDown", "65,\r\n", kKey, {65}, {66}},
    {"CodeListedTwice", "13,65,13,\r\n", kKey, {13}, {}},
    {"LeftShiftIsAnotherCodeThanShift", "160,\r\n", kKey, {160}, {16}},
    {"EmptyListPasses", "\r\n", kKey, {}, {65}},
    {"EmptyFilePasses", "", kKey, {}, {65}},
    {"UnreadableFilePasses", "65,\r\n", kKey, {}, {65}, true, true},
    {"MouseEntriesNeverBlockKeys", kMouseOnly, kKey, {}, {1, 65, 254}},
    {"FullListBlocksA", FullList(), kKey, {65}, {}},
    {"LeadingZeroStillMatches", "065,\r\n", kKey, {65}, {}},
    {"LinesJoinedBlockBoth", "65,\r\n66,\r\n", kKey, {66}, {}},
    {"LineWithoutCommaJoinsTheNext", "65\r\n66,\r\n", kKey, {}, {65}},
    {"LineWithoutAnyComma", "65", kKey, {65}, {}},
    {"BinaryAroundAnEntry", std::string("\0\xff,65,\xfe", 7), kKey, {65}, {}},
    {"BinaryInsideAPiece", std::string(1, '\xff') + "65,", kKey, {}, {65}},
    {"ListedBeyondTheReadBoundPasses", std::string(4096, ',') + "65,", kKey, {}, {65}},
    {"MegabytesWithoutAnyComma", std::string(5 << 20, '6'), kKey, {}, {66}},
    {"LeftClick", kLeftClick, kMouse, {kLeftDown, kLeftUp}, {kRightDown, kRightUp, kMouseMove}},
    {"LeftClickUnreadable", kLeftClick, kMouse, {}, {kLeftDown}, true, true},
    {"EveryOption",
     FullList(),
     kMouse,
     {kMouseMove, kRightDown, kMiddleDown, kWheel},
     {kXDown, kXUp, kHorizontalWheel}},
    {"KeyEntriesNeverBlockTheMouse",
     AllKeyCodes(),
     kMouse,
     {},
     {kMouseMove, kLeftDown, kRightUp, kWheel, kHorizontalWheel}},
    {"MoveListedTwice", "512,513,512,\r\n", kMouse, {kMouseMove}, {}},
    {"EmptyListMovePasses", "\r\n", kMouse, {}, {kMouseMove}},
    {"EmptyFileClickPasses", "", kMouse, {}, {kLeftDown}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Decision, ::testing::ValuesIn(kDecisionCases), CaseName());

// Events one after another, each met by the file as it is then: its content,
// or none while it cannot be read.
struct ReadStep {
  std::optional<std::string> file;
  HookKind kind;
  std::uint32_t code;
  bool swallowed;
};

struct ReadSequence {
  const char* name;
  std::vector<ReadStep> steps;
};

class ReadForEveryEvent : public KBMouseHookTest,
                          public ::testing::WithParamInterface<ReadSequence> {};

TEST_P(ReadForEveryEvent, DecidesByTheFileOrTheListLastRead) {
  int step = 0;
  for (const ReadStep& s : GetParam().steps) {
    ++step;
    list.unreadable = !s.file;
    list.content = s.file.value_or("");
    EXPECT_EQ(Decide(s.kind, s.code), s.swallowed) << "step " << step;
  }
  EXPECT_EQ(list.reads, step);
}

const std::optional<std::string> kUnreadable = std::nullopt;

const ReadSequence kReadSequences[] = {
    {"EachEventReadsAfresh",
     {{"65,\r\n", kKey, 65, true},
      {"66,513,\r\n", kKey, 65, false},
      {"66,513,\r\n", kMouse, kLeftDown, true},
      {"\r\n", kMouse, kRightDown, false}}},
    // Another program holds the file without sharing: what was blocked stays
    // blocked, for keys and the mouse alike, and nothing more.
    {"UnreadableDecidesByTheListReadBefore",
     {{"65,513,\r\n", kKey, 66, false},
      {kUnreadable, kKey, 65, true},
      {kUnreadable, kKey, 66, false},
      {kUnreadable, kMouse, kLeftDown, true},
      {kUnreadable, kMouse, kRightDown, false}}},
    {"ReadAgainTheNewListCounts",
     {{"65,\r\n", kMouse, kLeftDown, false},
      {kUnreadable, kKey, 65, true},
      {"66,\r\n", kKey, 65, false},
      {kUnreadable, kKey, 65, false},
      {kUnreadable, kKey, 66, true},
      {"", kKey, 66, false},
      {kUnreadable, kKey, 66, false}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReadForEveryEvent, ::testing::ValuesIn(kReadSequences), CaseName());

// The same installation rules for both hooks.
struct HookUnit {
  const char* name;
  HookKind kind;
  void (KBMouseHook::*hook)();
  void (KBMouseHook::*unhook)();
  HookHandle (KBMouseHook::*handle)() const;
};

class Installation : public KBMouseHookTest, public ::testing::WithParamInterface<HookUnit> {
 protected:
  void Hook() { (hook.*GetParam().hook)(); }
  void Unhook() { (hook.*GetParam().unhook)(); }
  HookHandle Handle() { return (hook.*GetParam().handle)(); }
};

TEST_P(Installation, HandleIsZeroUntilTheFirstInstallation) {
  EXPECT_EQ(Handle(), 0u);
  Unhook();
  EXPECT_EQ(calls.removed, std::vector<HookHandle>{0});
  EXPECT_TRUE(calls.installed.empty());
}

TEST_P(Installation, RemovalUsesTheHandleAndKeepsIt) {
  calls.nextHandle = 0xABC;
  Hook();
  EXPECT_EQ(calls.installed, std::vector<HookKind>{GetParam().kind});
  EXPECT_EQ(Handle(), 0xABCu);
  Unhook();
  Unhook();
  EXPECT_EQ(calls.removed, (std::vector<HookHandle>{0xABC, 0xABC}));
  EXPECT_EQ(Handle(), 0xABCu);
  EXPECT_TRUE(events.failures.empty());
}

// A failure is reported with its kind and error code, and replaces an
// earlier handle.
TEST_P(Installation, FailureIsReportedAndReplacesAnEarlierHandle) {
  Hook();
  calls.failure = 1428;
  Hook();
  EXPECT_EQ(Handle(), 0u);
  EXPECT_EQ(events.failures, (std::vector<FakeHookEvents::Failure>{{GetParam().kind, 1428}}));
}

INSTANTIATE_TEST_SUITE_P(
    Hooks, Installation,
    ::testing::Values(HookUnit{"Keyboard", kKey, &KBMouseHook::HookKeyboard,
                               &KBMouseHook::UnhookKeyboard, &KBMouseHook::KeyboardHookHandle},
                      HookUnit{"Mouse", kMouse, &KBMouseHook::HookMouse, &KBMouseHook::UnhookMouse,
                               &KBMouseHook::MouseHookHandle}),
    CaseName());

// Presses and releases while the list changes between them: a release is
// swallowed exactly when its press was, so that no program keeps a key or
// button held down. Each step: the list, the event, whether it is swallowed.
struct PressStep {
  std::string list;
  HookKind kind;
  std::uint32_t code;
  bool down;
  bool swallowed;
};

struct PressCase {
  const char* name;
  std::vector<PressStep> steps;
  std::uint32_t heldBeforeTheHook = 0;  // a key down when the hook arrives
};

class Releases : public KBMouseHookTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(Releases, GoByTheirPress) {
  if (GetParam().heldBeforeTheHook != 0) keys.states[GetParam().heldBeforeTheHook] = 0x8000;
  hook.HookKeyboard();
  hook.HookMouse();
  int step = 0;
  for (const PressStep& s : GetParam().steps) {
    list.content = s.list;
    EXPECT_EQ(Decide(s.kind, s.code, s.down), s.swallowed) << "step " << ++step;
  }
}

const std::string kA = "65,\r\n", kNone = "\r\n";

const PressCase kPressCases[] = {
    {"SwallowedPressSwallowsItsReleaseOnce",
     {{kA, kKey, 65, true, true}, {kNone, kKey, 65, false, true}, {kA, kKey, 65, false, false}}},
    {"PassedPressOrRepeatPassesTheRelease",
     {{kNone, kKey, 65, true, false},
      {kA, kKey, 65, false, false},
      {kA, kKey, 65, true, true},
      {kNone, kKey, 65, true, false},
      {kA, kKey, 65, false, false}}},
    {"HeldBeforeTheHookRepeatsSwallowedReleasePasses",
     {{kA, kKey, 65, true, true},
      {kA, kKey, 65, false, false},
      {kA, kKey, 65, true, true},
      {kA, kKey, 65, false, true}},
     65},
    {"EachButtonByItsOwnPress",
     {{kNone, kMouse, kLeftDown, true, false},
      {"513,514,516,517,\r\n", kMouse, kRightDown, true, true},
      {kNone, kMouse, kLeftUp, true, false},
      {kNone, kMouse, kMiddleDown, true, false},
      {kNone, kMouse, kRightUp, true, true},
      {"519,520,\r\n", kMouse, kMiddleUp, true, false}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Releases, ::testing::ValuesIn(kPressCases), CaseName());

}  // namespace
}  // namespace tallowmere
