#pragma once

#include <windows.h>

namespace tallowmere {

// How the procedure of each of the program's window classes finds the object
// that serves a window: the object's address is CreateWindowExW's creation
// parameter, which the window's user data keeps from WM_NCCREATE until
// WM_NCDESTROY. Before WM_NCCREATE, after WM_NCDESTROY and for a window
// created without one there is none.
template <typename Object>
Object* WindowObject(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return object;
}

}  // namespace tallowmere
