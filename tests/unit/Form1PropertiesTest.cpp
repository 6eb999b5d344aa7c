#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/Form1Fixture.h"

namespace tallowmere {
namespace {

using Form1Properties = WithForm1<>;

TEST_F(Form1Properties, StartsWithTheDesignedCaptionsAndWhite) {
  EXPECT_EQ(form.Caption, "Tallowmere");
  EXPECT_EQ(form.BackColor, kWhite);
  EXPECT_EQ(form.Plain(ControlId::Frame1).Caption, "Keyboard Settings");
  EXPECT_EQ(form.Plain(ControlId::Label1).Caption, "Disabled key = green");
  EXPECT_EQ(form.Plain(ControlId::Frame3).BackColor, kWhite);
}

struct CaptionCase {
  ControlId id;
  const char* caption;
};

class Form1Caption : public Form1Properties, public ::testing::WithParamInterface<CaptionCase> {
 protected:
  std::string Shown(ControlId id) {
    switch (Definition(id).kind) {
      case ControlKind::ActionButton:
        return form.Action(id).Caption;
      case ControlKind::TickBox:
        return form.Tick(id).Caption;
      default:
        return form.Plain(id).Caption;
    }
  }
};

TEST_P(Form1Caption, IsStoredAndShown) {
  const CaptionCase& c = GetParam();
  form.SetCaption(c.id, c.caption);
  EXPECT_EQ(c.id == ControlId::Form1 ? form.Caption : Shown(c.id), c.caption);
  ASSERT_EQ(fake.view.controls.size(), 1u);
  EXPECT_EQ(fake.view.controls[0], c.id);
}

INSTANTIATE_TEST_SUITE_P(EveryKindWithACaption, Form1Caption,
                         ::testing::Values(CaptionCase{ControlId::Form1, "Tallowmere 7"},
                                           CaptionCase{ControlId::PushButton6, "Stop"},
                                           CaptionCase{ControlId::Check8, "Start hidden"},
                                           CaptionCase{ControlId::Frame2, "Mouse"},
                                           CaptionCase{ControlId::Label2, "gray"}));

TEST_F(Form1Properties, BackColorOfEveryPlainControlIsStoredAndShown) {
  for (ControlId id : {ControlId::Form1, ControlId::Frame1, ControlId::Label2, ControlId::Check6}) {
    form.SetBackColor(id, 0x8000000F);
  }
  EXPECT_EQ(form.BackColor, 0x8000000Fu);
  EXPECT_EQ(form.Plain(ControlId::Frame1).BackColor, 0x8000000Fu);
  EXPECT_EQ(form.Plain(ControlId::Label2).BackColor, 0x8000000Fu);
  EXPECT_EQ(form.Tick(ControlId::Check6).BackColor, 0x8000000Fu);
  EXPECT_EQ(fake.view.controls.size(), 4u);
}

TEST_F(Form1Properties, ControlsWithoutThePropertyRefuse) {
  EXPECT_THROW(form.SetBackColor(ControlId::PushButton1, 0), std::out_of_range);
  EXPECT_THROW(form.SetBackColor(ControlId::Image1, 0), std::out_of_range);
  EXPECT_THROW(form.SetCaption(ControlId::Image1, "x"), std::out_of_range);
  EXPECT_TRUE(fake.view.controls.empty());
}

}  // namespace
}  // namespace tallowmere
