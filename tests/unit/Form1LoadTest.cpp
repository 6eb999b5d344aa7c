#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "CaseName.h"
#include "fakes/Form1Fixture.h"

namespace tallowmere {
namespace {

const std::string kTempList = "C:\\Temp\\xsettings.txt";
const std::string kDefaultList = "C:\\Program Files\\Tallowmere\\xsettings.txt";

std::set<int> MarkedKeys(const Form1& form) {
  std::set<int> marked;
  for (int i = 0; i <= kLastKeyIndex; ++i) {
    if (form.cmdKey[i].BackColor == kMarkedColor) marked.insert(i);
  }
  return marked;
}

std::set<ControlId> TickedMouseBoxes(Form1& form) {
  std::set<ControlId> ticked;
  for (const MouseOption& option : kMouseOptions) {
    if (form.Tick(option.box).Value == 1) ticked.insert(option.box);
  }
  return ticked;
}

struct RestoreCase {
  const char* name;
  std::string content;
  std::set<int> keys;
  std::set<ControlId> boxes;
  // The list after the load; nullopt when the load must leave it untouched.
  std::optional<std::string> rewritten;
};

class Restore : public WithForm1<::testing::TestWithParam<RestoreCase>> {};

TEST_P(Restore, MarksKeysAndTicksBoxes) {
  const RestoreCase& c = GetParam();
  fake.files.content[kTempList] = c.content;

  form.Form_Load();

  EXPECT_EQ(MarkedKeys(form), c.keys);
  EXPECT_EQ(TickedMouseBoxes(form), c.boxes);
  EXPECT_EQ(fake.BlockList(), c.rewritten.value_or(c.content));
  // Each box that the list ticks saves once, with every key already marked.
  EXPECT_EQ(fake.files.replaces, static_cast<int>(c.boxes.size()));
  EXPECT_TRUE(fake.dialogs.shown.empty());
  for (int i = 0; i <= kLastKeyIndex; ++i) EXPECT_TRUE(form.cmdKey[i].Visible) << i;
  EXPECT_FALSE(form.bLoading);
}

using C = ControlId;
INSTANTIATE_TEST_SUITE_P(
    Lists, Restore,
    ::testing::Values(
        RestoreCase{"Empty", "", {}, {}, std::nullopt},
        RestoreCase{"OnlyCommas", ",,,,", {}, {}, std::nullopt},
        RestoreCase{"OnlyLineBreaks", "\r\n\r\n\n", {}, {}, std::nullopt},
        RestoreCase{"FirstAndLaterKeys", "27,65,66,\r\n", {0, 41, 57}, {}, std::nullopt},
        RestoreCase{"LastPieceNeverExamined", "65,66", {41}, {}, std::nullopt},
        RestoreCase{"NoCommaNoEntry", "65", {}, {}, std::nullopt},
        RestoreCase{"LinesJoined", "65,\r\n66,\r\n", {41, 57}, {}, std::nullopt},
        RestoreCase{"LinesJoinedIntoOneEntry", "6\r\n5,", {41}, {}, std::nullopt},
        RestoreCase{"BareLineFeedsJoined", "6\n5,\n", {41}, {}, std::nullopt},
        RestoreCase{"LeadingBlank", " 65,", {}, {}, std::nullopt},
        RestoreCase{"LeadingZero", "065,", {}, {}, std::nullopt},
        RestoreCase{"TrailingBlank", "65 ,", {}, {}, std::nullopt},
        RestoreCase{"BothEnterKeys", "13,", {52, 96}, {}, std::nullopt},
        RestoreCase{"WindowsKeyStaysVisible", "91,", {73}, {}, std::nullopt},
        RestoreCase{"GarbageIgnored", "999,abc,,-65,65.0,", {}, {}, std::nullopt},
        // Beyond the hooks' reach nothing counts, a mouse entry neither: the
        // window shows only what locking will block.
        RestoreCase{"OnlyWhatTheHooksRead",
                    "65," + std::string(5000, '7') + ",66,513,\r\n",
                    {41},
                    {},
                    std::nullopt},
        RestoreCase{"LeftClick", "513,", {}, {C::Check2_}, "513,514,\r\n"},
        RestoreCase{"RightClickSecondEntry", "517,", {}, {C::Check3_}, "516,517,\r\n"},
        RestoreCase{"Movement", "512,", {}, {C::Check4_}, "512,\r\n"},
        RestoreCase{"Scroll", "522,", {}, {C::Check5_}, "522,\r\n"},
        RestoreCase{
            "MiddleWithKeys", "65,66,519,520,\r\n", {41, 57}, {C::Check6_}, "65,66,519,520,\r\n"},
        RestoreCase{"MouseBeforeKeysKeepsKeys",
                    "513,514,65,66,",
                    {41, 57},
                    {C::Check2_},
                    "65,66,513,514,\r\n"},
        RestoreCase{"AllMouseOptions",
                    "513,516,512,522,520,",
                    {},
                    {C::Check2_, C::Check3_, C::Check4_, C::Check5_, C::Check6_},
                    "513,514,516,517,512,522,519,520,\r\n"}),
    CaseName());

using LoadBlockList = WithForm1<::testing::Test>;

TEST_F(LoadBlockList, EveryMouseOptionSaveHoldsEveryKey) {
  fake.files.content[kTempList] = "522,513,65,";
  form.Form_Load();
  EXPECT_EQ(fake.files.replaced, (std::vector<std::string>{"65,522,\r\n", "65,513,514,522,\r\n"}));
}

// The lines of the "Application Error" boxes shown, in order.
std::vector<int> ReportedLines(const FakeDialogs& dialogs) {
  std::vector<int> lines;
  const std::string marker = "Form1.Form_Load at line ";
  for (const ShownDialog& box : dialogs.shown) {
    EXPECT_EQ(box.caption, "Application Error");
    const std::size_t at = box.text.find(marker);
    EXPECT_NE(at, std::string::npos) << box.text;
    if (at != std::string::npos) lines.push_back(std::stoi(box.text.substr(at + marker.size())));
  }
  return lines;
}

TEST_F(LoadBlockList, MissingTempListIsCopiedFromTheProgramFolder) {
  fake.files.content[kDefaultList] = "65,\r\n";
  form.Form_Load();
  EXPECT_EQ(fake.files.content[kTempList], "65,\r\n");
  EXPECT_EQ(MarkedKeys(form), std::set<int>{41});
  EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST_F(LoadBlockList, ProgramFolderAtADriveRoot) {
  fake.environment.folder = "D:\\";
  fake.files.content["D:\\xsettings.txt"] = "66,";
  form.Form_Load();
  EXPECT_EQ(MarkedKeys(form), std::set<int>{57});
}

TEST_F(LoadBlockList, ExistingTempListIsNotReplacedByTheDefault) {
  fake.files.content[kDefaultList] = "65,";
  fake.files.content[kTempList] = "66,";
  form.Form_Load();
  EXPECT_EQ(fake.files.content[kTempList], "66,");
  EXPECT_EQ(MarkedKeys(form), std::set<int>{57});
}

TEST_F(LoadBlockList, UnsetTempLooksAtTheBareFileName) {
  fake.environment.variables.erase("TEMP");
  fake.files.content["\\xsettings.txt"] = "13,";
  form.Form_Load();
  EXPECT_EQ(MarkedKeys(form), (std::set<int>{52, 96}));
}

TEST_F(LoadBlockList, NoListAnywhereReportsTheCopyAndTheOpeningOnceEach) {
  fake.settings.values[{"Varnholt", "Tallowmere", "Minimized"}] = "On";
  form.Form_Load();
  EXPECT_EQ(ReportedLines(fake.dialogs), (std::vector<int>{138, 140}));
  EXPECT_TRUE(MarkedKeys(form).empty());
  EXPECT_EQ(form.Tick(ControlId::Check8).Value, 1) << "the load goes on after the list";
  EXPECT_FALSE(form.bLoading);
}

TEST_F(LoadBlockList, UnreadableListIsReportedOnceAndTheLoadFinishes) {
  fake.files.content[kTempList] = "65,";
  fake.files.failing.push_back(kTempList);
  fake.settings.values[{"Varnholt", "Tallowmere", "Windows Startup"}] = "On";
  form.Form_Load();
  EXPECT_EQ(ReportedLines(fake.dialogs), std::vector<int>{140});
  EXPECT_TRUE(MarkedKeys(form).empty());
  EXPECT_EQ(form.Tick(ControlId::Check6).Value, 1);
  EXPECT_FALSE(form.bLoading);
}

TEST_F(LoadBlockList, AFailedMarkOrTickIsReportedOnItsLineAndTheRestoreGoesOn) {
  fake.files.content[kTempList] = "65,516,66,";
  fake.view.failingKey = 41;
  fake.view.failingControl = ControlId::Check3_;
  form.Form_Load();
  EXPECT_EQ(ReportedLines(fake.dialogs), (std::vector<int>{158, 166}));
  EXPECT_EQ(MarkedKeys(form), (std::set<int>{41, 57}));
}

struct OptionsCase {
  const char* name;
  std::optional<std::string> windowsStartup, minimized;
  int check6, check8;
  bool locked;
};

class LoadStartupOptions : public WithForm1<::testing::TestWithParam<OptionsCase>> {};

TEST_P(LoadStartupOptions, RestoresWithoutTouchingTheStartupList) {
  const OptionsCase& c = GetParam();
  fake.files.content[kTempList] = "65,";
  if (c.windowsStartup)
    fake.settings.values[{"Varnholt", "Tallowmere", "Windows Startup"}] = *c.windowsStartup;
  if (c.minimized) fake.settings.values[{"Varnholt", "Tallowmere", "Minimized"}] = *c.minimized;

  form.Form_Load();

  EXPECT_EQ(form.Tick(ControlId::Check6).Value, c.check6);
  EXPECT_EQ(form.Tick(ControlId::Check8).Value, c.check8);
  EXPECT_TRUE(form.Tick(ControlId::Check8).Visible);
  EXPECT_TRUE(fake.registry.openedWithAccess.empty());
  EXPECT_EQ(fake.settings.Setting("Windows Startup"), c.windowsStartup.value_or(""));
  // Check8's handler stores the value it was given, which is what was read.
  EXPECT_EQ(fake.settings.Setting("Minimized"), c.check8 == 1 ? "On" : c.minimized.value_or(""));
  EXPECT_EQ(form.Action(ControlId::PushButton6).Caption == "Stop", c.locked);
  EXPECT_EQ(fake.hooks.installed.size(), c.locked ? 2u : 0u);
  EXPECT_EQ(form.Visible, !c.locked);
  EXPECT_FALSE(form.bLoading);
  EXPECT_TRUE(fake.dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Settings, LoadStartupOptions,
                         ::testing::Values(OptionsCase{"NeverStored", std::nullopt, std::nullopt, 0,
                                                       0, false},
                                           OptionsCase{"BothOn", "On", "On", 1, 1, true},
                                           OptionsCase{"OnlyStartup", "On", "Off", 1, 0, false},
                                           OptionsCase{"OnlyMinimized", "Off", "On", 0, 1, false},
                                           OptionsCase{"LowerCaseOn", "on", "On", 0, 1, false},
                                           OptionsCase{"UpperCaseOn", "On", "ON", 1, 0, false}),
                         CaseName());

}  // namespace
}  // namespace tallowmere
