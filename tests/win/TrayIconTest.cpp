#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/IconPicture.h"
#include "platform/win32/TrayControlWindow.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32NotificationArea.h"
#include "platform/win32/Win32TrayRouting.h"
#include "shell/Main.h"
#include "tray/cSysTray.h"
#include "win/support/TrayDesktop.h"
#include "win/support/Wait.h"

namespace tallowmere::test {
namespace {

// The tray control on the real notification area of Wine.
class TrayIcon : public ::testing::Test {
 protected:
  TrayIcon() {
    tray.MouseUp = [this](std::int16_t button, std::int32_t id) {
      events.push_back("MouseUp " + std::to_string(button) + " " + std::to_string(id));
    };
    tray.MouseDown = [this](std::int16_t button, std::int32_t) {
      events.push_back("MouseDown " + std::to_string(button));
    };
    tray.TrayIcon(std::make_shared<IconPicture>(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION))));
    tray.TrayTip("Tallowmere");
  }

  WNDPROC Procedure() {
    return reinterpret_cast<WNDPROC>(
        GetWindowLongPtrW(reinterpret_cast<HWND>(tray.hWnd()), GWLP_WNDPROC));
  }

  // The icon window that appeared for this control.
  HWND AddedIcon(const std::vector<HWND>& before) {
    HWND added = nullptr;
    WaitFor([&] {
      for (HWND icon : TrayIconWindows()) {
        if (std::find(before.begin(), before.end(), icon) == before.end()) added = icon;
      }
      return added != nullptr;
    });
    return added;
  }

  Win32NotificationArea area;
  Win32Dialogs dialogs;
  Win32TrayRouting routing{dialogs, &ApplicationTitle};
  Win32MessagePump pump;
  Win32Clock clock;
  Win32ControlWindows windows;
  TrayPlatform platform{area, routing, pump, clock, windows};
  std::vector<std::string> events;
  cSysTray tray{platform, true};
};

TEST_F(TrayIcon, ClicksOnTheIconBecomeEventsUntilItLeavesTheTray) {
  const WNDPROC original = Procedure();
  const std::vector<HWND> before = TrayIconWindows();
  tray.InTray(true);
  EXPECT_EQ(Procedure(), &mSysTray::TrayWindowProc);
  HWND icon = AddedIcon(before);
  ASSERT_NE(icon, nullptr) << "the icon did not appear in the Wine System Tray";

  PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PostMessageW(icon, WM_MBUTTONUP, 0, MAKELPARAM(5, 5));
  PostMessageW(icon, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(WaitFor([&] { return events.size() >= 3; }));
  EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 1", "MouseUp 1 0", "MouseUp 2 0"}));

  tray.InTray(false);
  EXPECT_EQ(Procedure(), original);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(icon); }));
}

TEST_F(TrayIcon, DestroyingTheControlInTheTrayTakesTheIconAway) {
  const std::vector<HWND> before = TrayIconWindows();
  HWND icon = nullptr;
  {
    cSysTray other{platform, true};
    other.InTray(true);
    icon = AddedIcon(before);
    ASSERT_NE(icon, nullptr);
  }
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(icon); }));
}

TEST_F(TrayIcon, BalloonWaitReturnsAfterItsSecondsWhileMessagesFlow) {
  tray.InTray(true);
  PostMessageW(reinterpret_cast<HWND>(tray.hWnd()), kTrayCallbackMessage, 0, WM_RBUTTONUP);
  tray.ShowBalloon("Balloon wait", "Tallowmere", 1, false);
  EXPECT_EQ(events, std::vector<std::string>{"MouseUp 2 0"});
  tray.InTray(false);
}

}  // namespace
}  // namespace tallowmere::test
