#pragma once

#include <windows.h>

#include <string>

#include "platform/Dialogs.h"
#include "platform/TrayRouting.h"
#include "platform/win32/EscapedFailure.h"

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
  // A handler's failure is shown in `dialogs` with the caption that
  // `caption` gives at the time.
  Win32TrayRouting(Dialogs& dialogs, const std::string& (*caption)())
      : dialogs_(dialogs), caption_(caption) {}

  // Fails with AppError while another window is routed: the previous
  // procedure has a single slot.
  void Install(WindowHandle window, TrayMessageTarget& target) override;
  void Remove(WindowHandle window) override;
  // Inside the catch block of a handler's failure.
  void ReportFailure() const noexcept { ReportEscapedFailure(dialogs_, caption_()); }

 private:
  Dialogs& dialogs_;
  const std::string& (*caption_)();
};

}  // namespace tallowmere
