#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/Form1Fixture.h"
#include "tray/mSysTray.h"

namespace tallowmere {
namespace {

constexpr char kBalloonText[] =
    "has been minimized to the system tray.\r\nClick on the blue 'V' icon (V for Varnholt) to "
    "bring the software back.";

class Form1Tray : public WithForm1<> {
 protected:
  void SetUp() override { mSysTray::bHiddenInTray = false; }
  void TearDown() override { mSysTray::bHiddenInTray = false; }

  // What the window does when the user minimises it.
  void Minimise() {
    form.WindowState = kMinimizedWindow;
    form.Form_Resize();
  }
  const std::vector<SentRecord>& Sent() { return fake.tray.notificationArea.sent; }
  std::vector<SentRecord> Balloons() {
    std::vector<SentRecord> balloons;
    for (const SentRecord& s : Sent()) {
      if (s.record.uFlags == kFlagInfo && !s.record.szInfo.empty()) balloons.push_back(s);
    }
    return balloons;
  }

  FakeHookCalls& hooks = fake.hooks;
};

TEST_F(Form1Tray, TrayIconIsCreatedAsTheWindowStoresIt) {
  EXPECT_FALSE(form.cSysTray1.InTray());
  EXPECT_EQ(form.cSysTray1.TrayTip(), "Telnet Server");
  EXPECT_EQ(form.cSysTray1.TrayIcon(), fake.resources.icon);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(Form1Tray, LoadPutsTheIconInTheTrayWithTheProductNameAsTip) {
  fake.files.content["C:\\Temp\\xsettings.txt"] = "\r\n";
  form.Form_Load();
  EXPECT_TRUE(fake.dialogs.shown.empty());
  EXPECT_TRUE(form.cSysTray1.InTray());
  EXPECT_EQ(form.cSysTray1.TrayTip(), "Tallowmere");
  EXPECT_EQ(form.Icon, fake.resources.icon);
  // The shell's step of line 110 sets the icon, line 130 once more.
  EXPECT_EQ(fake.view.operations, (std::vector<std::string>{"Icon", "Icon"}));
  ASSERT_EQ(Sent().size(), 1u);
  EXPECT_EQ(Sent()[0].message, NotifyMessage::Add);
  EXPECT_EQ(Sent()[0].record.uFlags, kFlagMessage | kFlagIcon | kFlagTip);
  EXPECT_EQ(Sent()[0].record.hIcon, 0x1C0u);
  EXPECT_EQ(Sent()[0].record.szTip, "Tallowmere");
  EXPECT_EQ(fake.tray.routing.target, &form.cSysTray1);
}

TEST_F(Form1Tray, ARefusedTrayIsReportedAtItsLineAndTheLoadGoesOn) {
  fake.files.content["C:\\Temp\\xsettings.txt"] = "65,\r\n";
  fake.tray.routing.refuse = true;
  form.Form_Load();
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_NE(fake.dialogs.shown[0].text.find("Form1.Form_Load at line 132"), std::string::npos)
      << fake.dialogs.shown[0].text;
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(form.cmdKey[41].BackColor, kMarkedColor);
  EXPECT_FALSE(form.bLoading);
}

TEST_F(Form1Tray, MinimisingHidesTheWindowInItsNormalStateWithABalloon) {
  form.cSysTray1.InTray(true);
  Minimise();
  EXPECT_FALSE(form.Visible);
  EXPECT_EQ(form.WindowState, kNormalWindow);
  EXPECT_EQ(fake.view.operations, std::vector<std::string>{"WindowState"});
  EXPECT_TRUE(mSysTray::bHiddenInTray);
  const auto balloons = Balloons();
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_EQ(balloons[0].record.szInfo, kBalloonText);
  EXPECT_EQ(balloons[0].record.szInfoTitle, "Tallowmere");
  EXPECT_EQ(balloons[0].record.uTimeout, 5000u);
  // Nobody closed it: after five seconds it is cleared.
  EXPECT_EQ(Sent().back().record.szInfo, "");
  EXPECT_EQ(Sent().back().record.uTimeout, 5000u);
}

class ResizeThatIsNoMinimise : public Form1Tray, public ::testing::WithParamInterface<int> {};

TEST_P(ResizeThatIsNoMinimise, ChangesNothing) {
  form.cSysTray1.InTray(true);
  form.WindowState = GetParam();
  form.Form_Resize();
  EXPECT_TRUE(form.Visible);
  EXPECT_FALSE(mSysTray::bHiddenInTray);
  EXPECT_TRUE(Balloons().empty());
  EXPECT_TRUE(fake.view.operations.empty());
}

INSTANTIATE_TEST_SUITE_P(Form1, ResizeThatIsNoMinimise, ::testing::Values(0, 2));

TEST_F(Form1Tray, MinimisedWhileHiddenInTheTrayChangesNothing) {
  mSysTray::bHiddenInTray = true;
  Minimise();
  EXPECT_TRUE(form.Visible);
  EXPECT_EQ(form.WindowState, kMinimizedWindow);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(Form1Tray, MinimisingTwiceShowsTheBalloonOnlyTheFirstTime) {
  form.cSysTray1.InTray(true);
  Minimise();
  fake.tray.routing.Deliver(0x202);
  EXPECT_TRUE(form.Visible);
  Minimise();
  EXPECT_FALSE(form.Visible);
  EXPECT_EQ(form.WindowState, kNormalWindow);
  EXPECT_TRUE(mSysTray::bHiddenInTray);
  EXPECT_EQ(Balloons().size(), 1u);
}

// Callback messages of the icon and whether they bring the window back.
struct IconMessageCase {
  std::intptr_t lParam;
  bool restores;
};

class IconMessages : public Form1Tray, public ::testing::WithParamInterface<IconMessageCase> {};

TEST_P(IconMessages, OnlyAButtonReleaseBringsTheWindowBack) {
  form.cSysTray1.InTray(true);
  Minimise();
  fake.view.operations.clear();
  fake.tray.routing.Deliver(GetParam().lParam);
  EXPECT_EQ(form.Visible, GetParam().restores);
  EXPECT_EQ(mSysTray::bHiddenInTray, !GetParam().restores);
  if (GetParam().restores) {
    EXPECT_EQ(fake.view.operations, std::vector<std::string>{"Focus"});
    EXPECT_EQ(form.WindowState, kNormalWindow);
  } else {
    EXPECT_TRUE(fake.view.operations.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Form1, IconMessages,
    ::testing::Values(IconMessageCase{0x202, true},  // left up
                      IconMessageCase{0x205, true},  // right up
                      IconMessageCase{0x200, false}, IconMessageCase{0x201, false},
                      IconMessageCase{0x203, false}, IconMessageCase{0x204, false},
                      IconMessageCase{0x206, false}, IconMessageCase{0x207, false},
                      IconMessageCase{0x208, false}, IconMessageCase{0x209, false}));

TEST_F(Form1Tray, ButtonReleaseOnAVisibleWindowOnlyFocusesIt) {
  form.cSysTray1.InTray(true);
  fake.tray.routing.Deliver(0x202);
  EXPECT_TRUE(form.Visible);
  EXPECT_EQ(fake.view.operations, std::vector<std::string>{"Focus"});
}

TEST_F(Form1Tray, BringingTheWindowBackLeavesLockingAsItWas) {
  form.cSysTray1.InTray(true);
  form.PushButton6_Click();
  fake.tray.routing.Deliver(0x205);
  EXPECT_TRUE(form.Visible);
  EXPECT_EQ(form.Action(ControlId::PushButton6).Caption, "Stop");
  EXPECT_TRUE(hooks.removed.empty());
  EXPECT_FALSE(mSysTray::bHiddenInTray);
}

// Once a run, without waiting, and apart from the once-a-run balloon of
// minimising.
TEST_F(Form1Tray, TheFirstLockingOfARunTellsHowToStop) {
  form.cSysTray1.InTray(true);
  for (int run = 0; run < 2; ++run) {
    form.PushButton6_Click();
    form.PushButton6_Click();
  }
  ASSERT_EQ(Balloons().size(), 1u);
  EXPECT_EQ(Balloons()[0].record.szInfo, kLockingNotice);
  EXPECT_EQ(Balloons()[0].record.uTimeout, 0u);
  EXPECT_EQ(fake.tray.pump.passes, 0);
  Minimise();
  ASSERT_EQ(Balloons().size(), 2u);
  EXPECT_EQ(Balloons()[1].record.szInfo, kBalloonText);
}

TEST_F(Form1Tray, AClickDuringTheBalloonBringsTheWindowBackAtOnce) {
  form.cSysTray1.InTray(true);
  bool shownDuringWait = false;
  fake.tray.pump.onPass = [&](int pass) {
    if (pass == 2) fake.tray.routing.Deliver(0x202);
    if (pass == 3) shownDuringWait = form.Visible;
  };
  Minimise();
  EXPECT_TRUE(shownDuringWait);
  EXPECT_TRUE(form.Visible);
  EXPECT_FALSE(mSysTray::bHiddenInTray);
}

TEST_F(Form1Tray, UnloadRemovesIconAndHooksThenClosesAndEnds) {
  std::vector<std::string> log;
  fake.tray.notificationArea.log = &log;
  fake.tray.routing.log = &log;
  fake.view.log = &log;
  fake.process.log = &log;
  hooks.log = &log;
  fake.tray.pump.onPass = [&](int) { log.push_back("ProcessMessages"); };
  form.cSysTray1.InTray(true);
  form.locking.Start(HookKind::Keyboard);
  form.locking.Start(HookKind::Mouse);
  log.clear();

  form.Form_Unload();
  EXPECT_EQ(log, (std::vector<std::string>{"notify 2", "remove", "Unhook 256", "Unhook 257",
                                           "Close", "ProcessMessages", "ProcessMessages", "End"}));
  EXPECT_FALSE(form.cSysTray1.InTray());
}

TEST_F(Form1Tray, UnloadWithoutLockingStillEnds) {
  form.cSysTray1.InTray(true);
  form.Form_Unload();
  EXPECT_EQ(hooks.removed, (std::vector<HookHandle>{0, 0}));
  EXPECT_EQ(fake.view.operations, std::vector<std::string>{"Close"});
  EXPECT_EQ(fake.process.ends, 1);
  EXPECT_EQ(Sent().back().message, NotifyMessage::Delete);
}

}  // namespace
}  // namespace tallowmere
