#include <gtest/gtest.h>

#include <vector>

#include "fakes/Form1Fixture.h"
#include "ui/HoverFeedback.h"

namespace tallowmere {
namespace {

struct HoverCase {
  ControlId source;
  std::optional<int> setting;
};

class HoverTable : public ::testing::TestWithParam<HoverCase> {};

TEST_P(HoverTable, SettingOfEachSource) {
  EXPECT_EQ(HoverPointer(GetParam().source), GetParam().setting);
}

// Every control of the window, so a new one cannot slip into the table unseen.
INSTANTIATE_TEST_SUITE_P(
    Controls, HoverTable,
    ::testing::Values(
        HoverCase{ControlId::PushButton1, kPointerCustom},
        HoverCase{ControlId::PushButton2, kPointerCustom},
        HoverCase{ControlId::PushButton6, kPointerCustom},
        HoverCase{ControlId::Form1, kPointerDefault}, HoverCase{ControlId::Frame1, kPointerDefault},
        HoverCase{ControlId::Frame2, kPointerDefault},
        HoverCase{ControlId::Frame3, kPointerDefault},
        HoverCase{ControlId::Image1, kPointerDefault}, HoverCase{ControlId::Label1, std::nullopt},
        HoverCase{ControlId::Label2, std::nullopt}, HoverCase{ControlId::Check2_, std::nullopt},
        HoverCase{ControlId::Check3_, std::nullopt}, HoverCase{ControlId::Check4_, std::nullopt},
        HoverCase{ControlId::Check5_, std::nullopt}, HoverCase{ControlId::Check6_, std::nullopt},
        HoverCase{ControlId::Check6, std::nullopt}, HoverCase{ControlId::Check8, std::nullopt},
        HoverCase{ControlId::Check1, std::nullopt}));

using HoverFeedback = WithForm1<>;

TEST_F(HoverFeedback, StartsWithTheArrow) {
  EXPECT_EQ(form.MousePointer, kPointerDefault);
}

TEST_F(HoverFeedback, FrameToKeyAndBack) {
  form.MouseMove(ControlId::Frame1);
  form.cmdKey_MouseMove(41);
  EXPECT_EQ(form.MousePointer, kPointerCustom);
  form.MouseMove(ControlId::Frame1);
  EXPECT_EQ(form.MousePointer, kPointerDefault);
}

TEST_F(HoverFeedback, EveryKeyButtonGivesTheHand) {
  for (std::int16_t i = 0; i < kKeyCount; ++i) {
    form.MouseMove(ControlId::Image1);
    form.cmdKey_MouseMove(i);
    ASSERT_EQ(form.MousePointer, kPointerCustom) << i;
  }
}

TEST_F(HoverFeedback, LabelAfterAnActionButtonKeepsTheHand) {
  form.MouseMove(ControlId::PushButton2);
  form.MouseMove(ControlId::Label2);
  EXPECT_EQ(form.MousePointer, kPointerCustom);
  form.MouseMove(ControlId::Frame1);
  EXPECT_EQ(form.MousePointer, kPointerDefault);
}

TEST_F(HoverFeedback, TickBoxAfterAFrameKeepsTheArrow) {
  form.MouseMove(ControlId::Frame2);
  form.MouseMove(ControlId::Check3_);
  EXPECT_EQ(form.MousePointer, kPointerDefault);
}

TEST_F(HoverFeedback, TheStopButtonGivesTheHand) {
  form.Action(ControlId::PushButton6).Caption = "Stop";
  form.MouseMove(ControlId::PushButton6);
  EXPECT_EQ(form.MousePointer, kPointerCustom);
}

TEST_F(HoverFeedback, EveryEventSetsTheValueAgainAndOthersDoNothing) {
  form.cmdKey_MouseMove(0);
  form.cmdKey_MouseMove(1);
  form.MouseMove(ControlId::Label1);
  form.MouseMove(ControlId::Check8);
  form.MouseMove(ControlId::Form1);
  EXPECT_EQ(fake.view.pointerChanges, 3);
}

}  // namespace
}  // namespace tallowmere
