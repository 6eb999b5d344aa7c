#include "engine/KBMouseHook.h"

#include <gtest/gtest.h>

#include <climits>

#include "CaseName.h"
#include "engine/BlockList.h"
#include "engine/KeyTable.h"
#include "fakes/FakeHooks.h"
#include "fakes/FakePlatform.h"
#include "shell/Main.h"

namespace tallowmere {
namespace {

constexpr HookWParam kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
constexpr HookWParam kMouseMove = 512, kLeftDown = 513, kLeftUp = 514, kRightDown = 516,
                     kRightUp = 517, kMiddleDown = 519, kMiddleUp = 520, kWheel = 522, kXDown = 523,
                     kXUp = 524, kHorizontalWheel = 526;

// What the program writes with every key marked and every mouse option ticked.
std::string FullList() {
  std::vector<KeyMark> keys;
  for (const KeyDef& key : kKeyTable) keys.push_back({kMarkedColor, key.tag});
  const int ticked[] = {1, 1, 1, 1, 1};
  return BlockListContent(keys, ticked);
}

// Every virtual-key code, each followed by a comma.
std::string AllKeyCodes() {
  std::string list;
  for (int code = 1; code <= 254; ++code) list += std::to_string(code) + ",";
  return list;
}

const std::string kMouseOnly = "513,514,516,517,512,522,519,520,\r\n";

class KBMouseHookTest : public ::testing::Test {
 protected:
  static constexpr HookHandle kKeyboardHandle = 0x100, kMouseHandle = 0x101;

  void SetUp() override {
    KBMouseHook::Attach(hooks, list, dialogs);
    KBMouseHook::HookKeyboard();
    KBMouseHook::HookMouse();
  }

  // Asserts that the call went on down the chain with its own arguments and
  // that the chain's answer came back unchanged.
  void ExpectPassedOn(HookResult result, HookHandle handle, int nCode, HookWParam wParam,
                      HookLParam lParam) {
    EXPECT_EQ(result, FakeHookCalls::kChainResult);
    EXPECT_EQ(hooks.chained, (std::vector<ChainedCall>{{handle, nCode, wParam, lParam}}));
  }
  void ExpectSwallowed(HookResult result) {
    EXPECT_EQ(result, KBMouseHook::kSwallow);
    EXPECT_TRUE(hooks.chained.empty());
  }

  FakeHookCalls hooks;
  FakeBlockListSource list;
  FakeDialogs dialogs;
};

struct KeyCase {
  const char* name;
  std::string list;
  bool unreadable;
  HookWParam message;
  std::uint32_t vkCode;
  bool swallowed;
};

class KeyboardDecision : public KBMouseHookTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyboardDecision, SwallowsExactlyTheListedKeys) {
  const KeyCase& c = GetParam();
  list.content = c.list;
  list.unreadable = c.unreadable;
  FakeKeyEvent event{c.vkCode};
  const auto lParam = reinterpret_cast<HookLParam>(&event);
  const HookResult result = KBMouseHook::KeyboardProc(0, c.message, lParam);
  if (c.swallowed) {
    ExpectSwallowed(result);
  } else {
    ExpectPassedOn(result, kKeyboardHandle, 0, c.message, lParam);
  }
  EXPECT_EQ(list.reads, 1);
}

const KeyCase kKeyCases[] = {
    {"ListedKeyDown", "65,\r\n", false, kKeyDown, 65, true},
    {"ListedKeyUp", "65,\r\n", false, kKeyUp, 65, true},
    {"ListedKeyWithAltDown", "65,\r\n", false, kSysKeyDown, 65, true},
    {"ListedKeyWithAltUp", "65,\r\n", false, kSysKeyUp, 65, true},
    {"UnlistedKeyPasses", "65,\r\n", false, kKeyDown, 66, false},
    {"CodeListedTwice", "13,65,13,\r\n", false, kKeyDown, 13, true},
    {"LeftShiftCode", "160,\r\n", false, kKeyDown, 160, true},
    {"GenericShiftIsAnotherCode", "160,\r\n", false, kKeyDown, 16, false},
    {"EmptyListPasses", "\r\n", false, kKeyDown, 65, false},
    {"EmptyFilePasses", "", false, kKeyDown, 65, false},
    {"UnreadableFilePasses", "65,\r\n", true, kKeyDown, 65, false},
    {"MouseEntriesNeverBlockKeyOne", kMouseOnly, false, kKeyDown, 1, false},
    {"MouseEntriesNeverBlockA", kMouseOnly, false, kKeyDown, 65, false},
    {"MouseEntriesNeverBlockCode254", kMouseOnly, false, kKeyDown, 254, false},
    {"FullListBlocksA", FullList(), false, kKeyUp, 65, true},
    {"LeadingZeroStillMatches", "065,\r\n", false, kKeyDown, 65, true},
    {"LinesJoinedBlockBoth", "65,\r\n66,\r\n", false, kKeyDown, 66, true},
    {"LineWithoutCommaJoinsTheNext", "65\r\n66,\r\n", false, kKeyDown, 65, false},
    {"LineWithoutAnyComma", "65", false, kKeyDown, 65, true},
    {"BinaryAroundAnEntry", std::string("\0\xff,65,\xfe", 7), false, kKeyDown, 65, true},
    {"BinaryInsideAPiece",
     std::string("\xff"
                 "65,",
                 4),
     false, kKeyDown, 65, false},
    {"ListedBeyondTheReadBoundPasses", std::string(4096, ',') + "65,", false, kKeyDown, 65, false},
    {"MegabytesWithoutAnyComma", std::string(5 << 20, '6'), false, kKeyDown, 66, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, KeyboardDecision, ::testing::ValuesIn(kKeyCases), CaseName());

struct MouseCase {
  const char* name;
  std::string list;
  bool unreadable;
  HookWParam message;
  bool swallowed;
};

class MouseDecision : public KBMouseHookTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(MouseDecision, SwallowsExactlyTheListedMessages) {
  const MouseCase& c = GetParam();
  list.content = c.list;
  list.unreadable = c.unreadable;
  const HookLParam lParam = 0x7E57;
  const HookResult result = KBMouseHook::MouseProc(0, c.message, lParam);
  if (c.swallowed) {
    ExpectSwallowed(result);
  } else {
    ExpectPassedOn(result, kMouseHandle, 0, c.message, lParam);
  }
  EXPECT_EQ(list.reads, 1);
  EXPECT_EQ(hooks.keyCodeReads, 0);
}

const std::string kLeftClick = "65,513,514,\r\n";

INSTANTIATE_TEST_SUITE_P(
    LeftClickListed, MouseDecision,
    ::testing::Values(MouseCase{"LeftDown", kLeftClick, false, kLeftDown, true},
                      MouseCase{"LeftUp", kLeftClick, false, kLeftUp, true},
                      MouseCase{"RightDown", kLeftClick, false, kRightDown, false},
                      MouseCase{"RightUp", kLeftClick, false, kRightUp, false},
                      MouseCase{"Wheel", kLeftClick, false, kWheel, false},
                      MouseCase{"Move", kLeftClick, false, kMouseMove, false},
                      MouseCase{"LeftDownFileUnreadable", kLeftClick, true, kLeftDown, false}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    EveryOptionTicked, MouseDecision,
    ::testing::Values(MouseCase{"Move", FullList(), false, kMouseMove, true},
                      MouseCase{"RightUp", FullList(), false, kRightUp, true},
                      MouseCase{"MiddleDown", FullList(), false, kMiddleDown, true},
                      MouseCase{"MiddleUp", FullList(), false, kMiddleUp, true},
                      MouseCase{"Wheel", FullList(), false, kWheel, true},
                      MouseCase{"XDown", FullList(), false, kXDown, false},
                      MouseCase{"XUp", FullList(), false, kXUp, false},
                      MouseCase{"HorizontalWheel", FullList(), false, kHorizontalWheel, false}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    KeyEntriesNeverBlockMouse, MouseDecision,
    ::testing::Values(MouseCase{"Move", AllKeyCodes(), false, kMouseMove, false},
                      MouseCase{"LeftDown", AllKeyCodes(), false, kLeftDown, false},
                      MouseCase{"RightUp", AllKeyCodes(), false, kRightUp, false},
                      MouseCase{"Wheel", AllKeyCodes(), false, kWheel, false},
                      MouseCase{"HorizontalWheel", AllKeyCodes(), false, kHorizontalWheel, false}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    ListedTwiceOrEmpty, MouseDecision,
    ::testing::Values(MouseCase{"MoveListedTwice", "512,513,512,\r\n", false, kMouseMove, true},
                      MouseCase{"MoveLineEndOnly", "\r\n", false, kMouseMove, false},
                      MouseCase{"LeftDownEmptyFile", "", false, kLeftDown, false}),
    CaseName());

// nCode other than HC_ACTION: the event goes on at once, untouched, and
// neither the event record nor the file is read.
class NotAnAction : public KBMouseHookTest, public ::testing::WithParamInterface<int> {};

TEST_P(NotAnAction, KeyPassesWithoutReading) {
  list.content = "65,\r\n";
  FakeKeyEvent event{65};
  const auto lParam = reinterpret_cast<HookLParam>(&event);
  ExpectPassedOn(KBMouseHook::KeyboardProc(GetParam(), kKeyDown, lParam), kKeyboardHandle,
                 GetParam(), kKeyDown, lParam);
  EXPECT_EQ(hooks.keyCodeReads, 0);
  EXPECT_EQ(list.reads, 0);
}

TEST_P(NotAnAction, MousePassesWithoutReading) {
  list.content = "513,\r\n";
  ExpectPassedOn(KBMouseHook::MouseProc(GetParam(), kLeftDown, 0x7E57), kMouseHandle, GetParam(),
                 kLeftDown, 0x7E57);
  EXPECT_EQ(list.reads, 0);
}

INSTANTIATE_TEST_SUITE_P(Codes, NotAnAction, ::testing::Values(-1, -100, INT_MIN, 1, 3));

TEST_F(KBMouseHookTest, TheListIsReadAfreshForEveryEvent) {
  FakeKeyEvent a{65};
  const auto lParam = reinterpret_cast<HookLParam>(&a);
  list.content = "65,\r\n";
  EXPECT_EQ(KBMouseHook::KeyboardProc(0, kKeyDown, lParam), KBMouseHook::kSwallow);
  list.content = "66,513,\r\n";
  EXPECT_EQ(KBMouseHook::KeyboardProc(0, kKeyUp, lParam), FakeHookCalls::kChainResult);
  EXPECT_EQ(KBMouseHook::MouseProc(0, kLeftDown, 0), KBMouseHook::kSwallow);
  list.content = "\r\n";
  EXPECT_EQ(KBMouseHook::MouseProc(0, kLeftUp, 0), FakeHookCalls::kChainResult);
  EXPECT_EQ(list.reads, 4);
}

// The same installation rules for both hooks.
struct HookUnit {
  const char* name;
  HookKind kind;
  void (*hook)();
  void (*unhook)();
  HookHandle (*handle)();
  std::string_view failure;
};

class Installation : public ::testing::TestWithParam<HookUnit> {
 protected:
  void SetUp() override { KBMouseHook::Attach(hooks, list, dialogs); }
  void TearDown() override { SetApplicationTitle(); }

  FakeHookCalls hooks;
  FakeBlockListSource list;
  FakeDialogs dialogs;
};

TEST_P(Installation, HandleIsZeroUntilTheFirstInstallation) {
  EXPECT_EQ(GetParam().handle(), 0u);
  GetParam().unhook();
  EXPECT_EQ(hooks.removed, std::vector<HookHandle>{0});
  EXPECT_TRUE(hooks.installed.empty());
}

TEST_P(Installation, RemovalUsesTheHandleAndKeepsIt) {
  hooks.nextHandle = 0xABC;
  GetParam().hook();
  EXPECT_EQ(hooks.installed, std::vector<HookKind>{GetParam().kind});
  EXPECT_EQ(GetParam().handle(), 0xABCu);
  GetParam().unhook();
  GetParam().unhook();
  EXPECT_EQ(hooks.removed, (std::vector<HookHandle>{0xABC, 0xABC}));
  EXPECT_EQ(GetParam().handle(), 0xABCu);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_P(Installation, FailureShowsTheErrorCodeUnderTheApplicationTitle) {
  SetApplicationTitle("Tallowmere Input Lock");
  hooks.failure = 1428;
  GetParam().hook();
  EXPECT_EQ(GetParam().handle(), 0u);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, std::string(GetParam().failure) + "1428");
  EXPECT_EQ(dialogs.shown[0].caption, "Tallowmere Input Lock");
  EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::None);
}

TEST_P(Installation, FailureReplacesAnEarlierHandle) {
  GetParam().hook();
  hooks.failure = 5;
  GetParam().hook();
  EXPECT_EQ(GetParam().handle(), 0u);
  EXPECT_EQ(dialogs.shown.at(0).text, std::string(GetParam().failure) + "5");
}

INSTANTIATE_TEST_SUITE_P(
    Hooks, Installation,
    ::testing::Values(HookUnit{"Keyboard", HookKind::Keyboard, KBMouseHook::HookKeyboard,
                               KBMouseHook::UnhookKeyboard, KBMouseHook::KeyboardHookHandle,
                               "Failed to install low-level keyboard hook - "},
                      HookUnit{"Mouse", HookKind::Mouse, KBMouseHook::HookMouse,
                               KBMouseHook::UnhookMouse, KBMouseHook::MouseHookHandle,
                               "Failed to install mouse hook - "}),
    CaseName());

}  // namespace
}  // namespace tallowmere
