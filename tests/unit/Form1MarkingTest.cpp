#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "ui/Form1.h"

namespace tallowmere {
namespace {

class Form1Marking : public ::testing::Test {
 protected:
  FakePlatform fake;
  Form1 form{fake.platform, fake.view};
};

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
  for (ControlId id : kMouseOptionBoxes) form.TickBoxClicked(id);
  EXPECT_EQ(fake.BlockList(), "513,514,516,517,512,522,519,520,\r\n");
  EXPECT_EQ(fake.files.replaces, 5);
}

TEST_F(Form1Marking, GrayedOptionDoesNotCount) {
  form.SetValue(ControlId::Check4_, 2);
  EXPECT_EQ(fake.BlockList(), "\r\n");
}

TEST_F(Form1Marking, SavesIntoTempAsGiven) {
  fake.environment.variables["TEMP"] = "D:\\Zo\xC3\xAB\\";
  form.cmdKey_Click(0);
  EXPECT_EQ(fake.files.content["D:\\Zo\xC3\xAB\\\\xsettings.txt"], "27,\r\n");
}

TEST_F(Form1Marking, FailedSaveKeepsTheNewColourAndTheOldFile) {
  form.cmdKey_Click(41);
  fake.files.failing.push_back("C:\\Temp\\xsettings.txt");
  EXPECT_THROW(form.cmdKey_Click(42), AppError);
  EXPECT_EQ(form.cmdKey[42].BackColor, kMarkedColor);
  EXPECT_EQ(fake.BlockList(), "65,\r\n");
}

}  // namespace
}  // namespace tallowmere
