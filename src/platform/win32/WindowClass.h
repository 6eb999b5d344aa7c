#pragma once

#include <windows.h>

namespace tallowmere {

struct WindowClassArgs {
  const wchar_t* name = nullptr;
  WNDPROC procedure = DefWindowProcW;
  UINT style = 0;
  HBRUSH background = nullptr;
  HICON icon = nullptr;
};

// Registers one of the program's window classes with the arrow pointer. A
// class that an earlier window of this run registered is kept as it is.
// Throws AppError with the system's text when the class cannot be registered.
void RegisterWindowClass(HINSTANCE instance, const WindowClassArgs& args);

}  // namespace tallowmere
