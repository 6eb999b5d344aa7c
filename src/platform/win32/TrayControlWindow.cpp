#include "platform/win32/TrayControlWindow.h"

#include "platform/AppError.h"
#include "platform/win32/Text.h"
#include "platform/win32/WindowClass.h"

namespace tallowmere {

namespace {

constexpr wchar_t kClassName[] = L"cSysTray";
// The control keeps itself 510 twips square, 34 pixels at 96 dots per inch.
constexpr int kSidePixels = 34;

}  // namespace

TrayControlWindow::TrayControlWindow(HWND parent) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, {.name = kClassName});
  const DWORD style = parent != nullptr ? WS_CHILD : WS_POPUP;
  hWnd_ = CreateWindowExW(0, kClassName, L"", style, 0, 0, kSidePixels, kSidePixels, parent,
                          nullptr, instance, nullptr);
  if (hWnd_ == nullptr) throw AppError(SystemErrorText(GetLastError()));
}

TrayControlWindow::~TrayControlWindow() {
  DestroyWindow(hWnd_);
}

}  // namespace tallowmere
