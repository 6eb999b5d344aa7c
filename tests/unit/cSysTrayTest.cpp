#include "tray/cSysTray.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CaseName.h"
#include "fakes/FakeTray.h"

namespace tallowmere {
namespace {

constexpr WindowHandle kWindow = 0x10AB4;

NotifyIconRecord Expected(std::uint32_t flags) {
  NotifyIconRecord record;
  record.hWnd = kWindow;
  record.uID = 0;
  record.uFlags = flags;
  return record;
}

NotifyIconRecord Add(std::uint32_t flags, std::uintptr_t hIcon, const std::string& tip) {
  NotifyIconRecord r = Expected(flags);
  r.uCallbackMessage = kTrayCallbackMessage;
  r.hIcon = hIcon;
  r.szTip = tip;
  return r;
}

NotifyIconRecord Balloon(const std::string& text, const std::string& title, std::uint32_t ms) {
  NotifyIconRecord r = Expected(kFlagInfo);
  r.szInfo = text;
  r.szInfoTitle = title;
  r.uTimeout = ms;
  return r;
}

NotifyIconRecord WithIcon(std::uintptr_t hIcon) {
  NotifyIconRecord r = Expected(kFlagIcon);
  r.hIcon = hIcon;
  return r;
}

NotifyIconRecord WithTip(const std::string& tip) {
  NotifyIconRecord r = Expected(kFlagTip);
  r.szTip = tip;
  return r;
}

// A tray control in user mode over fakes: WithTray<> for plain tests,
// WithTray<::testing::TestWithParam<Case>> for tables of cases.
template <class Base = ::testing::Test>
class WithTray : public Base {
 protected:
  WithTray() {
    tray.PropertyChanged = [this](const std::string& name) { changed.push_back(name); };
  }
  const std::vector<SentRecord>& Sent() { return fake.notificationArea.sent; }

  FakeTrayPlatform fake;
  std::vector<std::string> changed;
  std::shared_ptr<const PictureObject> icon = MakePicture(PictureType::Icon, 0x7001);
  cSysTray tray{fake.platform, true};
};

using TrayControl = WithTray<>;

void InTrayWithIconAndTip(cSysTray& tray) {
  tray.TrayIcon(MakePicture(PictureType::Icon, 0x7001));
  tray.TrayTip("Tallowmere");
  tray.InTray(true);
}

// Each operation, on a control in the tray with its icon and tip or on a
// fresh one, and the record it sends last.
struct OperationCase {
  const char* name;
  bool inTray;
  std::function<void(cSysTray&, FakeTrayPlatform&)> operation;
  NotifyMessage message;
  NotifyIconRecord record;
};

class Operations : public WithTray<::testing::TestWithParam<OperationCase>> {};

TEST_P(Operations, SendTheirRecord) {
  if (GetParam().inTray) InTrayWithIconAndTip(tray);
  GetParam().operation(tray, fake);
  ASSERT_FALSE(Sent().empty());
  EXPECT_EQ(Sent().back().message, GetParam().message);
  EXPECT_EQ(Sent().back().record, GetParam().record);
}

using Tray = cSysTray&;
using Fake = FakeTrayPlatform&;
constexpr auto kAdd = NotifyMessage::Add, kModify = NotifyMessage::Modify;
constexpr std::uint32_t kFull = kFlagMessage | kFlagIcon | kFlagTip;

INSTANTIATE_TEST_SUITE_P(
    cSysTray, Operations,
    ::testing::Values(
        OperationCase{"AddWithIconAndTip", false, [](Tray t, Fake) { InTrayWithIconAndTip(t); },
                      kAdd, Add(kFull, 0x7001, "Tallowmere")},
        OperationCase{"AddWithoutIcon", false,
                      [](Tray t, Fake) {
                        t.TrayTip("Tallowmere");
                        t.InTray(true);
                      },
                      kAdd, Add(kFlagMessage | kFlagTip, 0, "Tallowmere")},
        OperationCase{"AddWithEmptyTip", false,
                      [](Tray t, Fake) {
                        t.TrayIcon(MakePicture(PictureType::Icon, 0x7001));
                        t.InTray(true);
                      },
                      kAdd, Add(kFlagMessage | kFlagIcon, 0x7001, "")},
        OperationCase{"AddBare", false, [](Tray t, Fake) { t.InTray(true); }, kAdd,
                      Add(kFlagMessage, 0, "")},
        OperationCase{"ChangeIcon", true,
                      [](Tray t, Fake) { t.TrayIcon(MakePicture(PictureType::Icon, 0x7002)); },
                      kModify, WithIcon(0x7002)},
        OperationCase{"ChangeTip", true, [](Tray t, Fake) { t.TrayTip("Another tip"); }, kModify,
                      WithTip("Another tip")},
        OperationCase{"ChangeTipToEmpty", true, [](Tray t, Fake) { t.TrayTip(""); }, kModify,
                      WithTip("")},
        OperationCase{"ShowBalloonWithoutWait", true,
                      [](Tray t, Fake) { t.ShowBalloon("text", "title", 0, false); }, kModify,
                      Balloon("text", "title", 0)},
        OperationCase{"ShowBalloonWithTimeout", true,
                      [](Tray t, Fake f) {
                        f.pump.onPass = [&t](int) { t.DispatchTrayMessage(0x405, 0); };
                        t.ShowBalloon("text", "title", 7, true);
                      },
                      kModify, Balloon("text", "title", 7000)},
        OperationCase{"ClearBalloon", true,
                      [](Tray t, Fake) { t.ShowBalloon("text", "title", 5, true); }, kModify,
                      Balloon("", "", 5000)},
        OperationCase{"RemoveIcon", true, [](Tray t, Fake) { t.InTray(false); },
                      NotifyMessage::Delete, Expected(0)},
        OperationCase{"AddAgainWhenTheTaskbarRestarts", true,
                      [](Tray t, Fake f) {
                        t.TrayTip("Tip of the moment");
                        f.routing.TaskbarCreated();
                      },
                      kAdd, Add(kFull, 0x7001, "Tip of the moment")},
        // The notification area refuses it; the control does not look.
        OperationCase{"BalloonOutOfTheTrayIsSentAnyway", false,
                      [](Tray t, Fake) { t.ShowBalloon("text", "title", 0, false); }, kModify,
                      Balloon("text", "title", 0)}),
    CaseName());

TEST_F(TrayControl, ARestartedTaskbarGetsNoIconThatIsNotInTheTray) {
  tray.TaskbarCreated();
  tray.InTray(true);
  tray.InTray(false);
  tray.TaskbarCreated();
  EXPECT_EQ(Sent().size(), 2u);
}

TEST_F(TrayControl, InTrayToItsCurrentValueSendsAndReportsNothing) {
  tray.InTray(false);
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(changed.empty());
  EXPECT_EQ(fake.routing.installs, 0);

  tray.InTray(true);
  changed.clear();
  tray.InTray(true);
  EXPECT_EQ(Sent().size(), 1u);
  EXPECT_TRUE(changed.empty());
  EXPECT_EQ(fake.routing.installs, 1);
}

TEST_F(TrayControl, OutOfTheTrayTipAndIconAreOnlyStoredForTheNextAdd) {
  tray.TrayTip("Tallowmere");
  tray.TrayIcon(icon);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(tray.TrayTip(), "Tallowmere");
  EXPECT_EQ(tray.TrayIcon(), icon);
  EXPECT_EQ(changed, (std::vector<std::string>{"TrayTip", "TrayIcon"}));

  tray.InTray(true);
  tray.InTray(false);
  tray.TrayTip("later");
  tray.InTray(true);
  ASSERT_EQ(Sent().size(), 3u);
  EXPECT_EQ(Sent()[0].record, Add(kFull, 0x7001, "Tallowmere"));
  EXPECT_EQ(Sent()[2].record, Add(kFull, 0x7001, "later"));
}

class NotAnIcon : public WithTray<::testing::TestWithParam<std::shared_ptr<const PictureObject>>> {
};

TEST_P(NotAnIcon, IsIgnoredInAndOutOfTheTray) {
  tray.TrayIcon(icon);
  changed.clear();
  tray.TrayIcon(GetParam());
  tray.InTray(true);
  tray.TrayIcon(GetParam());
  EXPECT_EQ(tray.TrayIcon(), icon);
  ASSERT_EQ(Sent().size(), 1u);
  EXPECT_EQ(Sent()[0].record.hIcon, 0x7001u);
  EXPECT_EQ(changed, std::vector<std::string>{"InTray"});
}

INSTANTIATE_TEST_SUITE_P(cSysTray, NotAnIcon,
                         ::testing::Values(nullptr, MakePicture(PictureType::None, 0x9999),
                                           MakePicture(PictureType::Bitmap, 0x9999),
                                           MakePicture(PictureType::Metafile, 0x9999),
                                           MakePicture(PictureType::EnhancedMetafile, 0x9999)));

TEST_F(TrayControl, RoutingIsInstalledBeforeTheAddAndRemovedAfterTheDelete) {
  std::vector<std::string> log;
  fake.routing.log = &log;
  fake.notificationArea.log = &log;
  tray.InTray(true);
  EXPECT_EQ(fake.routing.window, kWindow);
  EXPECT_EQ(fake.routing.target, &tray);
  tray.InTray(false);
  EXPECT_EQ(log, (std::vector<std::string>{"install", "notify 0", "notify 2", "remove"}));
  EXPECT_EQ(changed, (std::vector<std::string>{"InTray", "InTray"}));
}

TEST_F(TrayControl, HasAWindowOfItsOwnAndTakesItsIconAlongWhenItGoes) {
  EXPECT_EQ(tray.hWnd(), kWindow);
  EXPECT_EQ(fake.windows.alive, 1);
  { cSysTray outOfTheTray{fake.platform, true}; }
  EXPECT_EQ(fake.windows.alive, 1);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(fake.routing.removes, 0);
  {
    cSysTray inTheTray{fake.platform, true};
    inTheTray.InTray(true);
  }
  ASSERT_EQ(Sent().size(), 2u);
  EXPECT_EQ(Sent()[1].message, NotifyMessage::Delete);
  EXPECT_EQ(Sent()[1].record, Expected(0));
  EXPECT_EQ(fake.routing.removes, 1);
}

TEST_F(TrayControl, InDesignModeNothingIsAddedOrRouted) {
  cSysTray designed{fake.platform, false};
  designed.InTray(true);
  EXPECT_TRUE(designed.InTray());
  designed.InTray(false);
  EXPECT_FALSE(designed.InTray());
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(fake.routing.installs + fake.routing.removes, 0);
}

TEST_F(TrayControl, NewOrReadFromAnEmptyBagItHasTheDefaultTipAndNoIcon) {
  tray.InitProperties();
  cSysTray read{fake.platform, true};
  read.ReadProperties(PropertyBag{});
  for (const cSysTray* t : {&tray, &read}) {
    EXPECT_EQ(t->TrayTip(), "Telnet Server");
    EXPECT_EQ(t->TrayIcon(), nullptr);
    EXPECT_FALSE(t->InTray());
  }
  EXPECT_TRUE(Sent().empty());
}

TEST_F(TrayControl, ReadsItsPropertiesInOrderThroughTheSetters) {
  tray.ReadProperties(
      PropertyBag{{"TrayTip", std::string("Stored tip")}, {"InTray", true}, {"TrayIcon", icon}});
  EXPECT_EQ(changed, (std::vector<std::string>{"InTray", "TrayIcon", "TrayTip"}));
  ASSERT_EQ(Sent().size(), 3u);
  EXPECT_EQ(Sent()[0].record, Add(kFlagMessage, 0, ""));
  EXPECT_EQ(Sent()[1].record, WithIcon(0x7001));
  EXPECT_EQ(Sent()[2].record, WithTip("Stored tip"));

  EXPECT_THROW(tray.ReadProperties(PropertyBag{{"InTray", std::string("yes")}}), AppError);
}

TEST_F(TrayControl, WritesAllThreePropertiesInOrder) {
  tray.TrayIcon(icon);
  tray.TrayTip("Tallowmere");
  PropertyBag bag;
  tray.WriteProperties(bag);
  ASSERT_EQ(bag.Values().size(), 3u);
  EXPECT_EQ(bag.Values()[0].first, "InTray");
  EXPECT_EQ(bag.Values()[1].first, "TrayIcon");
  EXPECT_EQ(bag.Values()[2].first, "TrayTip");
  EXPECT_FALSE(bag.ReadProperty("InTray", true));
  EXPECT_EQ(bag.ReadProperty("TrayIcon", std::shared_ptr<const PictureObject>()), icon);
  EXPECT_EQ(bag.ReadProperty("TrayTip", std::string()), "Tallowmere");

  cSysTray copy{fake.platform, true};
  copy.ReadProperties(bag);
  EXPECT_EQ(copy.TrayIcon(), icon);
  EXPECT_EQ(copy.TrayTip(), "Tallowmere");
}

// Callback lParam, and the event it raises as "Event button id".
struct DispatchCase {
  std::intptr_t lParam;
  const char* raised;
};

class Dispatch : public WithTray<::testing::TestWithParam<DispatchCase>> {
 protected:
  Dispatch() {
    tray.MouseMove = [this](std::int32_t id) { raised.push_back("MouseMove " + Text(id)); };
    tray.MouseDown = [this](std::int16_t b, std::int32_t id) {
      raised.push_back("MouseDown " + Text(b) + " " + Text(id));
    };
    tray.MouseUp = [this](std::int16_t b, std::int32_t id) {
      raised.push_back("MouseUp " + Text(b) + " " + Text(id));
    };
    tray.MouseDblClick = [this](std::int16_t b, std::int32_t id) {
      raised.push_back("MouseDblClick " + Text(b) + " " + Text(id));
    };
  }
  static std::string Text(int n) { return std::to_string(n); }
  std::vector<std::string> raised;
};

TEST_P(Dispatch, RaisesTheEventOfTheMessage) {
  tray.InTray(true);
  fake.routing.Deliver(GetParam().lParam, 9);
  const std::string expected = GetParam().raised;
  if (expected.empty()) {
    EXPECT_TRUE(raised.empty());
  } else {
    EXPECT_EQ(raised, std::vector<std::string>{expected});
  }
  EXPECT_EQ(Sent().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    cSysTray, Dispatch,
    ::testing::Values(DispatchCase{0x200, "MouseMove 9"}, DispatchCase{0x201, "MouseDown 1 9"},
                      DispatchCase{0x202, "MouseUp 1 9"}, DispatchCase{0x203, "MouseDblClick 1 9"},
                      DispatchCase{0x204, "MouseDown 2 9"}, DispatchCase{0x205, "MouseUp 2 9"},
                      DispatchCase{0x206, "MouseDblClick 2 9"},
                      DispatchCase{0x207, ""},  // middle button
                      DispatchCase{0x208, ""}, DispatchCase{0x209, ""},
                      DispatchCase{0x20A, ""},  // wheel
                      DispatchCase{0x402, ""},  // balloon shown
                      DispatchCase{0x403, ""}, DispatchCase{0x404, ""}, DispatchCase{0x405, ""},
                      DispatchCase{0x406, ""}, DispatchCase{0, ""}, DispatchCase{-1, ""}));

TEST_F(TrayControl, EventsWithoutHandlersAreHarmless) {
  for (std::intptr_t lParam = 0x200; lParam <= 0x209; ++lParam) tray.DispatchTrayMessage(lParam, 0);
  EXPECT_TRUE(Sent().empty());
}

class BalloonNotifications : public WithTray<::testing::TestWithParam<std::intptr_t>> {};

// A balloon notification during the wait ends it at once, with no clear.
TEST_P(BalloonNotifications, EndTheWaitWithoutAClear) {
  tray.InTray(true);
  fake.pump.onPass = [this](int pass) {
    if (pass == 3) fake.routing.Deliver(GetParam());
  };
  const auto start = fake.clock.now;
  tray.ShowBalloon("text", "title", 5, true);
  EXPECT_EQ(fake.pump.passes, 3);
  EXPECT_LT(fake.clock.now - start, std::chrono::milliseconds(5000));
  ASSERT_EQ(Sent().size(), 2u);
  EXPECT_EQ(Sent()[1].record, Balloon("text", "title", 5000));
}

INSTANTIATE_TEST_SUITE_P(cSysTray, BalloonNotifications, ::testing::Values(0x403, 0x404, 0x405));

TEST_F(TrayControl, MouseMessagesInTheBalloonWaitRunTheirHandlersButDoNotEndIt) {
  int ups = 0;
  tray.MouseUp = [&](std::int16_t, std::int32_t) { ++ups; };
  tray.InTray(true);
  fake.pump.onPass = [this](int) { fake.routing.Deliver(0x205); };
  tray.ShowBalloon("text", "title", 2, false);
  EXPECT_GT(ups, 0);
  EXPECT_EQ(ups, fake.pump.passes);
  ASSERT_EQ(Sent().size(), 3u);
  EXPECT_EQ(Sent()[2].record, Balloon("", "", 2000));
}

TEST_F(TrayControl, BalloonWaitEndsWhenItsSecondsHavePassed) {
  tray.InTray(true);
  const auto start = fake.clock.now;
  tray.ShowBalloon("text", "title", 5, true);
  const auto waited = fake.clock.now - start;
  EXPECT_GE(waited, std::chrono::milliseconds(5000));
  EXPECT_LT(waited, std::chrono::milliseconds(5000) + fake.pump.step);
  // Messages are processed on every pass, including after the last wait.
  EXPECT_EQ(fake.pump.passes, fake.pump.waits + 1);
  ASSERT_EQ(Sent().size(), 3u);
  EXPECT_EQ(Sent()[2].record, Balloon("", "", 5000));
}

// A balloon shown once shows only when no other such balloon came before; one
// shown every time neither counts nor is held back.
TEST_F(TrayControl, BalloonOnceIsShownOnlyOnce) {
  struct Shown {
    const char* text;
    std::int32_t seconds;
    bool once;
  };
  tray.InTray(true);
  for (const Shown& s : {Shown{"a", 0, false}, Shown{"b", 0, true}, Shown{"c", 0, true},
                         Shown{"d", 5, true}, Shown{"e", 0, false}}) {
    tray.ShowBalloon(s.text, "t", s.seconds, s.once);
  }
  std::vector<std::string> shown;
  for (std::size_t i = 1; i < Sent().size(); ++i) shown.push_back(Sent()[i].record.szInfo);
  EXPECT_EQ(shown, (std::vector<std::string>{"a", "b", "e"}));
  EXPECT_EQ(fake.pump.passes, 0);
}

class BalloonWithoutSeconds : public WithTray<::testing::TestWithParam<std::int32_t>> {};

TEST_P(BalloonWithoutSeconds, ReturnsAtOnceAndLeavesTheBalloonUp) {
  tray.InTray(true);
  tray.ShowBalloon("text", "title", GetParam(), false);
  EXPECT_EQ(fake.pump.passes, 0);
  ASSERT_EQ(Sent().size(), 2u);
  EXPECT_EQ(Sent()[1].record, Balloon("text", "title", 0));
}

INSTANTIATE_TEST_SUITE_P(cSysTray, BalloonWithoutSeconds,
                         ::testing::Values(0, -1, -2147483647 - 1));

TEST_F(TrayControl, OverflowingTimeoutFailsBeforeAnythingIsShown) {
  tray.InTray(true);
  try {
    tray.ShowBalloon("text", "title", 2147484, true);
    FAIL() << "no error";
  } catch (const AppError& e) {
    EXPECT_EQ(e.Description(), "Overflow");
  }
  EXPECT_THROW(tray.ShowBalloon("text", "title", 2147483647, true), AppError);
  EXPECT_EQ(Sent().size(), 1u);
  // The failed call did not use up the one balloon.
  tray.ShowBalloon("text", "title", 0, true);
  EXPECT_EQ(Sent().size(), 2u);
}

TEST_F(TrayControl, LargestTimeoutThatFitsIsSent) {
  tray.InTray(true);
  fake.pump.onPass = [this](int) { fake.routing.Deliver(0x404); };
  tray.ShowBalloon("text", "title", 2147483, false);
  EXPECT_EQ(Sent()[1].record.uTimeout, 2147483000u);
}

}  // namespace
}  // namespace tallowmere
