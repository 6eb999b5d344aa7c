#include "platform/win32/WindowClass.h"

#include "platform/AppError.h"
#include "platform/win32/Text.h"

namespace tallowmere {

void RegisterWindowClass(HINSTANCE instance, const WindowClassArgs& args) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, args.name, &wc)) return;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.style = args.style;
  wc.lpfnWndProc = args.procedure;
  wc.hInstance = instance;
  wc.hIcon = args.icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = args.background;
  wc.lpszClassName = args.name;
  if (!RegisterClassExW(&wc)) throw AppError(SystemErrorText(GetLastError()));
}

}  // namespace tallowmere
