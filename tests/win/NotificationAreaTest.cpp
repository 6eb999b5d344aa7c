#include "platform/win32/Win32NotificationArea.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/win32/IconPicture.h"
#include "platform/win32/TrayControlWindow.h"
#include "win/support/TrayDesktop.h"
#include "win/support/Wait.h"

namespace tallowmere::test {
namespace {

class NotificationArea : public ::testing::Test {
 protected:
  NotifyIconRecord Record(std::uint32_t flags) {
    NotifyIconRecord record;
    record.hWnd = window.Handle();
    record.uFlags = flags;
    return record;
  }
  NotifyIconRecord AddRecord() {
    NotifyIconRecord record = Record(kFlagMessage | kFlagIcon | kFlagTip);
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon.Handle();
    record.szTip = "Tallowmere";
    return record;
  }
  bool IconCountIs(std::size_t n) {
    return WaitFor([&] { return TrayIconWindows().size() == n; });
  }

  TrayControlWindow window{nullptr};
  IconPicture icon{CopyIcon(LoadIconW(nullptr, IDI_APPLICATION))};
  Win32NotificationArea area;
};

TEST_F(NotificationArea, AddModifyAndDeleteTheIcon) {
  ASSERT_NE(FindWindowW(L"__winex11_standalone_tray", nullptr), nullptr)
      << "no Wine System Tray on this display";
  const std::size_t before = TrayIconWindows().size();

  ASSERT_TRUE(area.ShellNotifyIcon(NotifyMessage::Add, AddRecord()));
  EXPECT_TRUE(IconCountIs(before + 1));

  IconPicture other{CopyIcon(LoadIconW(nullptr, IDI_INFORMATION))};
  NotifyIconRecord changeIcon = Record(kFlagIcon);
  changeIcon.hIcon = other.Handle();
  EXPECT_TRUE(area.ShellNotifyIcon(NotifyMessage::Modify, changeIcon));
  NotifyIconRecord changeTip = Record(kFlagTip);
  changeTip.szTip = std::string(300, 'x');
  EXPECT_TRUE(area.ShellNotifyIcon(NotifyMessage::Modify, changeTip));

  EXPECT_TRUE(area.ShellNotifyIcon(NotifyMessage::Delete, Record(0)));
  EXPECT_TRUE(IconCountIs(before));
  // The icon is gone: the system knows it no more.
  EXPECT_FALSE(area.ShellNotifyIcon(NotifyMessage::Modify, changeTip));
  EXPECT_FALSE(area.ShellNotifyIcon(NotifyMessage::Delete, Record(0)));
}

TEST_F(NotificationArea, BalloonShowsItsTextConvertedFromUtf8) {
  if (GetACP() != 1252) GTEST_SKIP() << "checked for code page 1252 only";
  ASSERT_TRUE(area.ShellNotifyIcon(NotifyMessage::Add, AddRecord()));
  NotifyIconRecord balloon = Record(kFlagInfo);
  balloon.szInfoTitle = "Tallowmere";
  balloon.szInfo = "Balloon from the tests: Zo\xC3\xAB";
  balloon.uTimeout = 5000;
  ASSERT_TRUE(area.ShellNotifyIcon(NotifyMessage::Modify, balloon));
  const std::wstring expected = L"Balloon from the tests: Zo\u00EB";
  const bool shown = WaitFor([&] {
    const auto texts = VisibleTooltipTexts();
    return std::find(texts.begin(), texts.end(), expected) != texts.end();
  });
  EXPECT_TRUE(shown);
  area.ShellNotifyIcon(NotifyMessage::Delete, Record(0));
}

TEST(SystemCodePageText, ConvertsToTheAnsiCodePage) {
  EXPECT_EQ(SystemCodePageText(""), "");
  EXPECT_EQ(SystemCodePageText("Tallowmere\r\n"), "Tallowmere\r\n");
  if (GetACP() != 1252) GTEST_SKIP() << "checked for code page 1252 only";
  EXPECT_EQ(SystemCodePageText("Zo\xC3\xAB \xE2\x82\xAC"), "Zo\xEB \x80");
  EXPECT_EQ(SystemCodePageText("\xE4\xB8\xAD"), "?");
}

}  // namespace
}  // namespace tallowmere::test
