#include <string>

#include "shell/Main.h"
#include "tray/mSysTray.h"
#include "ui/Form1.h"

namespace tallowmere {

void Form1::CreateSysTray1() {
  cSysTray1.ReadProperties(PropertyBag{{"InTray", false},
                                       {"TrayIcon", platform_.resources.ProgramIcon()},
                                       {"TrayTip", std::string(kDefaultTrayTip)}});
  cSysTray1.MouseUp = [this](std::int16_t Button, std::int32_t Id) {
    cSysTray1_MouseUp(Button, Id);
  };
}

void Form1::SetWindowState(int state) {
  if (WindowState == state) return;
  WindowState = state;
  view_.WindowStateChanged();
}

void Form1::SetIcon(const std::shared_ptr<const PictureObject>& icon) {
  Icon = icon;
  view_.IconChanged();
}

void Form1::Form_Resize() {
  if (WindowState != kMinimizedWindow || mSysTray::bHiddenInTray) return;
  SetWindowVisible(false);
  // Shown again, the window has its normal size. The resize this may cause
  // stops at the first test.
  SetWindowState(kNormalWindow);
  mSysTray::bHiddenInTray = true;
  cSysTray1.ShowBalloon(kTrayBalloonText, std::string(kProductName), 5, true);
}

void Form1::cSysTray1_MouseUp(std::int16_t, std::int32_t) {
  SetWindowVisible(true);
  view_.TakeFocus();
  mSysTray::bHiddenInTray = false;
}

void Form1::Form_Unload() {
  cSysTray1.InTray(false);
  locking.Stop(HookKind::Keyboard);
  locking.Stop(HookKind::Mouse);
  view_.CloseWindow();
  platform_.tray.pump.ProcessPendingMessages();
  platform_.tray.pump.ProcessPendingMessages();
  platform_.process.End();
}

}  // namespace tallowmere
