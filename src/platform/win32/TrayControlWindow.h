#pragma once

#include <windows.h>

#include "platform/WindowHandle.h"

namespace tallowmere {

// The tray control's own window: never shown, it is where the notification
// area sends the icon's messages. A child of the holding window, or a hidden
// top-level window when there is none.
class TrayControlWindow {
 public:
  explicit TrayControlWindow(HWND parent);
  TrayControlWindow(const TrayControlWindow&) = delete;
  TrayControlWindow& operator=(const TrayControlWindow&) = delete;
  ~TrayControlWindow();

  HWND Get() const { return hWnd_; }
  WindowHandle Handle() const { return reinterpret_cast<WindowHandle>(hWnd_); }

 private:
  HWND hWnd_;
};

}  // namespace tallowmere
