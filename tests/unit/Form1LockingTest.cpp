#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/Form1Fixture.h"
#include "shell/Main.h"

namespace tallowmere {
namespace {

template <class Base = ::testing::Test>
class WithLocking : public WithForm1<Base> {
 protected:
  void SetUp() override {
    // Hiding the window deactivates it; showing it again activates it.
    this->fake.view.onVisibleChanged = [this] { this->fake.input.active = this->form.Visible; };
  }
  void TearDown() override { SetApplicationTitle(); }

  const std::string& Caption() { return this->form.Action(ControlId::PushButton6).Caption; }

  FakeHookCalls& hooks = this->fake.hooks;
};
using Form1Locking = WithLocking<>;

TEST_F(Form1Locking, StartInstallsBothHooksSetsStopAndHidesTheWindow) {
  form.PushButton6_Click();
  EXPECT_EQ(hooks.installed, (std::vector<HookKind>{HookKind::Keyboard, HookKind::Mouse}));
  EXPECT_EQ(Caption(), "Stop");
  EXPECT_EQ(form.SavedCaption, "Start Disabling");
  EXPECT_FALSE(form.Visible);
  EXPECT_EQ(fake.view.visibleChanges, 1);
  EXPECT_FALSE(form.Timer1.Enabled);
  EXPECT_TRUE(hooks.removed.empty());
  EXPECT_TRUE(fake.dialogs.shown.empty());
  EXPECT_EQ(form.cSysTray1.TrayIcon(), fake.resources.locked);
  EXPECT_TRUE(fake.view.operations.empty()) << "the window's own icon changed";
}

TEST_F(Form1Locking, StopRemovesBothHooksAndRestoresTheCaption) {
  form.PushButton6_Click();
  form.SetWindowVisible(true);
  form.PushButton6_Click();
  EXPECT_EQ(hooks.removed, (std::vector<HookHandle>{0x100, 0x101}));
  EXPECT_EQ(hooks.installed.size(), 2u);
  EXPECT_EQ(Caption(), "Start Disabling");
  EXPECT_TRUE(form.Visible);
  EXPECT_TRUE(form.Timer1.Enabled);
  EXPECT_TRUE(fake.dialogs.shown.empty());
  EXPECT_EQ(form.cSysTray1.TrayIcon(), fake.resources.icon);
}

TEST_F(Form1Locking, PollStaysOffAfterStopWhileTheWindowIsNotActive) {
  form.PushButton6_Click();
  fake.input.active = false;
  form.PushButton6_Click();
  EXPECT_EQ(Caption(), "Start Disabling");
  EXPECT_FALSE(form.Timer1.Enabled);
}

TEST_F(Form1Locking, FailedInstallationsShowTheirMessagesAndLockingGoesOn) {
  SetApplicationTitle("Tallowmere Input Lock");
  hooks.failure = 5;
  form.PushButton6_Click();
  ASSERT_EQ(fake.dialogs.shown.size(), 2u);
  EXPECT_EQ(fake.dialogs.shown[0].text, "Failed to install low-level keyboard hook - 5");
  EXPECT_EQ(fake.dialogs.shown[1].text, "Failed to install mouse hook - 5");
  for (const ShownDialog& box : fake.dialogs.shown) {
    EXPECT_EQ(box.caption, "Tallowmere Input Lock");
    EXPECT_EQ(box.icon, DialogIcon::None);
  }
  EXPECT_EQ(Caption(), "Stop");
  EXPECT_FALSE(form.Visible);
  hooks.failure.reset();
  form.PushButton6_Click();
  EXPECT_EQ(hooks.removed, (std::vector<HookHandle>{0, 0}));
  EXPECT_EQ(Caption(), "Start Disabling");
}

TEST_F(Form1Locking, FailedStepIsReportedWithItsLineAndTheSwitchGoesOn) {
  fake.view.failingControl = ControlId::PushButton6;
  form.PushButton6_Click();
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_EQ(fake.dialogs.shown[0].text.rfind(
                "Invalid procedure call or argument\r\n"
                "in Quorvane2021/08/31.Form1.PushButton6_Click at line 108\r\r",
                0),
            0u);
  EXPECT_EQ(Caption(), "Stop");
  EXPECT_FALSE(form.Timer1.Enabled);
  EXPECT_FALSE(form.Visible);
  form.PushButton6_Click();
  ASSERT_EQ(fake.dialogs.shown.size(), 2u);
  EXPECT_NE(fake.dialogs.shown[1].text.find("PushButton6_Click at line 118\r\r"),
            std::string::npos);
  EXPECT_EQ(hooks.removed.size(), 2u);
}

// The chord's requests switch as the button does, each only from its state;
// the caption shows the state and is not it.
TEST_F(Form1Locking, RequestsOfTheChordSwitchOnlyFromTheirState) {
  LockingEvents& events = form;
  events.StopLockingRequested();
  EXPECT_TRUE(hooks.installed.empty());
  events.StartLockingRequested();
  events.StartLockingRequested();
  EXPECT_EQ(hooks.installed.size(), 2u);
  EXPECT_EQ(Caption(), "Stop");
  form.SetCaption(ControlId::PushButton6, "Start Disabling");
  events.StopLockingRequested();
  EXPECT_EQ(hooks.removed.size(), 2u);
  EXPECT_EQ(Caption(), "Start Disabling");
  EXPECT_FALSE(form.locking.IsOn());
}

}  // namespace
}  // namespace tallowmere
