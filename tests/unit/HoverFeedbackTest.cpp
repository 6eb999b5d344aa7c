#include <gtest/gtest.h>

#include <vector>

#include "fakes/Form1Fixture.h"

namespace tallowmere {
namespace {

using HoverFeedback = WithForm1<>;

TEST_F(HoverFeedback, ActionButtonsGiveTheHandTheBackgroundFramesAndPictureTheArrow) {
  using C = ControlId;
  for (ControlId button : {C::PushButton1, C::PushButton2, C::PushButton6}) {
    for (ControlId area : {C::Form1, C::Frame1, C::Frame2, C::Frame3, C::Image1}) {
      form.MouseMove(area);
      EXPECT_EQ(form.MousePointer, kPointerDefault) << static_cast<int>(area);
      form.MouseMove(button);
      EXPECT_EQ(form.MousePointer, kPointerCustom) << static_cast<int>(button);
    }
  }
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
