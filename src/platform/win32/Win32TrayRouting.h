#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "platform/TrayRouting.h"

namespace tallowmere {

namespace mSysTray {

// Installed as the tray control window's procedure: hands the notification
// area's callback message and the shell's "TaskbarCreated" broadcast to the
// control that owns the window, and passes every message on to the procedure
// it replaced.
LRESULT CALLBACK TrayWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace mSysTray

// The routing of mSysTray: TrayWindowProc in front of a window's procedure,
// the owning control's address in the window's user-data slot. One window at
// a time.
class Win32TrayRouting final : public TrayRouting {
 public:
  // `caption` gives the caption of the box that shows a handler's failure.
  explicit Win32TrayRouting(std::function<std::string()> caption) : caption_(std::move(caption)) {}

  // Fails with AppError while another window is routed: the previous
  // procedure has a single slot.
  void Install(WindowHandle window, TrayMessageTarget& target) override;
  void Remove(WindowHandle window) override;
  std::string Caption() const { return caption_(); }

 private:
  std::function<std::string()> caption_;
};

}  // namespace tallowmere
