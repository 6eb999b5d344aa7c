#include "platform/win32/Win32TrayRouting.h"

#include "platform/AppError.h"
#include "platform/NotifyIconData.h"
#include "platform/win32/EscapedFailure.h"

namespace tallowmere {

namespace mSysTray {

namespace {

// Windows calls TrayWindowProc with nothing but the window, so the procedure
// it replaced has to be module-wide; one slot serves the one routed window.
WNDPROC PrevWndProc = nullptr;
HWND RoutedWindow = nullptr;
const Win32TrayRouting* Routing = nullptr;

// What the shell broadcasts when it has started, and after a restart.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace

LRESULT CALLBACK TrayWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallbackMessage || message == TaskbarCreatedMessage()) {
    // A handler's failure must not unwind into Windows; the user sees it.
    try {
      auto* target = reinterpret_cast<TrayMessageTarget*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
      if (target != nullptr && message == kTrayCallbackMessage) {
        target->DispatchTrayMessage(lParam, wParam);
      } else if (target != nullptr) {
        target->TaskbarCreated();
      }
    } catch (...) {
      Routing->ReportFailure();
    }
  }
  return CallWindowProcW(PrevWndProc, hWnd, message, wParam, lParam);
}

}  // namespace mSysTray

void Win32TrayRouting::Install(WindowHandle window, TrayMessageTarget& target) {
  const auto hWnd = reinterpret_cast<HWND>(window);
  if (mSysTray::RoutedWindow != nullptr && mSysTray::RoutedWindow != hWnd) {
    throw AppError("Another tray icon already receives the tray messages");
  }
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&mSysTray::TrayWindowProc)));
  // Routing a window twice must not make the procedure call itself for ever.
  if (previous != &mSysTray::TrayWindowProc) mSysTray::PrevWndProc = previous;
  mSysTray::RoutedWindow = hWnd;
  mSysTray::Routing = this;
  SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&target));
  // A program run as administrator would otherwise never hear the shell,
  // which runs with the user's rights, announce its restart.
  ChangeWindowMessageFilterEx(hWnd, mSysTray::TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
}

void Win32TrayRouting::Remove(WindowHandle window) {
  const auto hWnd = reinterpret_cast<HWND>(window);
  // The slot holds the procedure of the routed window only.
  if (hWnd != mSysTray::RoutedWindow) return;
  SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mSysTray::PrevWndProc));
  mSysTray::RoutedWindow = nullptr;
}

}  // namespace tallowmere
