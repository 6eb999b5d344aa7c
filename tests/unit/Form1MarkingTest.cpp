#include <gtest/gtest.h>

#include "CaseName.h"
#include "KeyCodes.h"
#include "fakes/Form1Fixture.h"

namespace tallowmere {
namespace {

using Form1Marking = WithForm1<>;

TEST_F(Form1Marking, KeyClickTogglesAndSaves) {
  form.cmdKey_Click(41);  // "a"
  EXPECT_EQ(form.cmdKey[41].BackColor, kMarkedColor);
  EXPECT_EQ(fake.BlockList(), "65,\r\n");
  form.cmdKey_Click(41);
  EXPECT_EQ(form.cmdKey[41].BackColor, kUnmarkedColor);
  EXPECT_EQ(fake.BlockList(), "\r\n");
}

TEST_F(Form1Marking, PictureKeyHidesWhenMarkedAndShowsWhenUnmarked) {
  form.cmdKey_Click(73);
  EXPECT_FALSE(form.cmdKey[73].Visible);
  form.cmdKey_Click(73);
  EXPECT_TRUE(form.cmdKey[73].Visible);
  form.cmdKey_Click(41);
  EXPECT_TRUE(form.cmdKey[41].Visible);
}

TEST_F(Form1Marking, OnlyExactGrayCountsAsUnmarked) {
  form.cmdKey[41].BackColor = 0x123456;
  form.cmdKey_Click(41);
  EXPECT_EQ(form.cmdKey[41].BackColor, kUnmarkedColor);
}

TEST_F(Form1Marking, KeysInIndexOrderThenMouseGroups) {
  form.cmdKey_Click(42);  // s
  form.TickBoxClicked(ControlId::Check5_);
  form.cmdKey_Click(41);  // a
  form.TickBoxClicked(ControlId::Check2_);
  EXPECT_EQ(fake.BlockList(), "65,83,513,514,522,\r\n");
}

TEST_F(Form1Marking, EveryMouseOptionTickedWritesAllGroupsInOrder) {
  for (const MouseOption& option : kMouseOptions) form.TickBoxClicked(option.box);
  EXPECT_EQ(fake.BlockList(), "513,514,516,517,512,522,519,520,\r\n");
  EXPECT_EQ(fake.files.replaces, 5);
}

TEST_F(Form1Marking, OnlyPureGreenAndTickedCount) {
  form.SetKeyBackColor(41, 0x00FF01);
  form.SetKeyBackColor(42, kMarkedColor);
  form.SetKeyBackColor(43, 0xFFFFFF);
  form.SetValue(ControlId::Check4_, 2);
  EXPECT_EQ(fake.BlockList(), "83,\r\n");
}

TEST_F(Form1Marking, SavesIntoTempAsGiven) {
  fake.environment.variables["TEMP"] = "D:\\Zo\xC3\xAB\\";
  form.cmdKey_Click(0);
  EXPECT_EQ(fake.files.content["D:\\Zo\xC3\xAB\\\\xsettings.txt"], "27,\r\n");
}

TEST_F(Form1Marking, FailedKeyClickSaveIsReportedOnceAndTheNewColourStays) {
  form.cmdKey_Click(41);
  fake.files.failing.push_back("C:\\Temp\\xsettings.txt");
  form.cmdKey_Click(42);
  EXPECT_EQ(form.cmdKey[42].BackColor, kMarkedColor);
  EXPECT_EQ(fake.BlockList(), "65,\r\n");
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_EQ(fake.dialogs.shown[0].caption, "Application Error");
  EXPECT_EQ(fake.dialogs.shown[0].text.rfind(
                "Permission denied\r\nin Quorvane2021/08/31.Form1.cmdKey_Click at line 114\r\r", 0),
            0u);
}

TEST_F(Form1Marking, MarkAllMarksEveryKeyHidesThePictureKeysAndSavesOnce) {
  form.TickBoxClicked(ControlId::Check4_);
  form.cmdKey_Click(73);
  const int before = fake.files.replaces;
  form.PushButton1_Click();
  for (int i = 0; i < kKeyCount; ++i) {
    EXPECT_EQ(form.cmdKey[i].BackColor, kMarkedColor) << i;
    EXPECT_EQ(form.cmdKey[i].Visible, !IsPictureKey(i)) << i;
  }
  EXPECT_EQ(fake.files.replaces, before + 1);
  EXPECT_EQ(fake.BlockList(), std::string(kAllCodes) + "512,\r\n");
  EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST_F(Form1Marking, MarkAllRewritesTheListWhenEveryKeyIsAlreadyMarked) {
  form.PushButton1_Click();
  fake.files.content.clear();
  form.PushButton1_Click();
  EXPECT_EQ(fake.BlockList(), std::string(kAllCodes) + "\r\n");
}

TEST_F(Form1Marking, UnmarkAllUnmarksEveryKeyShowsThePictureKeysAndSavesOnce) {
  form.PushButton1_Click();
  form.cmdKey[10].BackColor = 0x123456;
  const int before = fake.files.replaces;
  form.PushButton2_Click();
  for (int i = 0; i < kKeyCount; ++i) {
    EXPECT_EQ(form.cmdKey[i].BackColor, kUnmarkedColor) << i;
    EXPECT_TRUE(form.cmdKey[i].Visible) << i;
  }
  EXPECT_EQ(fake.files.replaces, before + 1);
  EXPECT_EQ(fake.BlockList(), "\r\n");
}

struct AllKeysFailure {
  std::string name;
  void (Form1::*handler)();
  std::string context;
  std::uint32_t color;
  int failingKey;  // whose screen update fails; -1 for none
  bool saveFails;
  std::vector<int> reportedLines;
};

using Form1AllKeysFailure = WithForm1<::testing::TestWithParam<AllKeysFailure>>;

// A failing step is reported with its line and the operation carries on: every
// key still gets its colour, and a failed save leaves the marks as set.
TEST_P(Form1AllKeysFailure, IsReportedAndTheOperationGoesOn) {
  const AllKeysFailure& c = GetParam();
  fake.view.failingKey = c.failingKey;
  if (c.saveFails) fake.files.failing.push_back("C:\\Temp\\xsettings.txt");
  (form.*c.handler)();
  for (int i = 0; i < kKeyCount; ++i) EXPECT_EQ(form.cmdKey[i].BackColor, c.color) << i;
  ASSERT_EQ(fake.dialogs.shown.size(), c.reportedLines.size());
  for (std::size_t n = 0; n < c.reportedLines.size(); ++n) {
    const std::string& text = fake.dialogs.shown[n].text;
    const std::string where = c.context + "at line " + std::to_string(c.reportedLines[n]) + "\r\r";
    EXPECT_NE(text.find(where), std::string::npos) << text;
  }
  EXPECT_EQ(fake.files.replaces, c.saveFails ? 0 : 1);
}

const std::string kMarkAll = "\r\nin Quorvane2021/08/31.Form1.PushButton1_Click ";
const std::string kUnmarkAll = "\r\nin Quorvane2021/08/31.Form1.PushButton2_Click ";

INSTANTIATE_TEST_SUITE_P(
    Cases, Form1AllKeysFailure,
    ::testing::Values(
        AllKeysFailure{
            "MarkAllSave", &Form1::PushButton1_Click, kMarkAll, kMarkedColor, -1, true, {108}},
        AllKeysFailure{"UnmarkAllSave",
                       &Form1::PushButton2_Click,
                       kUnmarkAll,
                       kUnmarkedColor,
                       -1,
                       true,
                       {108}},
        AllKeysFailure{
            "MarkAllPlainKey", &Form1::PushButton1_Click, kMarkAll, kMarkedColor, 41, false, {102}},
        AllKeysFailure{"MarkAllPictureKeyAndSave",
                       &Form1::PushButton1_Click,
                       kMarkAll,
                       kMarkedColor,
                       74,
                       true,
                       {102, 106, 108}},
        AllKeysFailure{"UnmarkAllPictureKey",
                       &Form1::PushButton2_Click,
                       kUnmarkAll,
                       kUnmarkedColor,
                       75,
                       false,
                       {102, 106}}),
    CaseName());

}  // namespace
}  // namespace tallowmere
