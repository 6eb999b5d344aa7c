#pragma once

#include <windows.h>

#include <memory>

#include "platform/ControlWindow.h"

namespace tallowmere {

// The tray control's own window: never shown, it is where the notification
// area sends the icon's messages. A child of the holding window, or a hidden
// top-level window when there is none.
class TrayControlWindow final : public ControlWindow {
 public:
  explicit TrayControlWindow(HWND parent);
  TrayControlWindow(const TrayControlWindow&) = delete;
  TrayControlWindow& operator=(const TrayControlWindow&) = delete;
  ~TrayControlWindow() override;

  HWND Get() const { return hWnd_; }
  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(hWnd_); }

 private:
  HWND hWnd_;
};

// Top-level control windows: the tray control is made before the window that
// holds it has a window of its own.
class Win32ControlWindows final : public ControlWindows {
 public:
  std::unique_ptr<ControlWindow> Create() override {
    return std::make_unique<TrayControlWindow>(nullptr);
  }
};

}  // namespace tallowmere
