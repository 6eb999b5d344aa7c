#include "ui/win32/PictureBox.h"

#include <utility>

#include "platform/win32/Gdi.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/WindowObject.h"

namespace tallowmere {

namespace {

void Paint(HWND hwnd, HBITMAP picture) {
  PaintDC paint(hwnd);
  if (!picture) return;
  BITMAP info{};
  GetObjectW(picture, sizeof info, &info);
  RECT client;
  GetClientRect(hwnd, &client);
  MemoryDC source;
  SelectScope select(source.Get(), picture);
  const bool exact = client.right == info.bmWidth && client.bottom == info.bmHeight;
  SetStretchBltMode(paint.Get(), exact ? COLORONCOLOR : HALFTONE);
  SetBrushOrgEx(paint.Get(), 0, 0, nullptr);
  StretchBlt(paint.Get(), 0, 0, client.right, client.bottom, source.Get(), 0, 0, info.bmWidth,
             info.bmHeight, SRCCOPY);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* picture = WindowObject<HBITMAP>(hwnd, message, lParam);
  if (!picture) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case STM_SETIMAGE: {
      if (wParam != IMAGE_BITMAP) return 0;
      const HBITMAP previous = std::exchange(*picture, reinterpret_cast<HBITMAP>(lParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETIMAGE:
      return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(*picture) : 0;
    case WM_ERASEBKGND:
      if (*picture) return 1;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_PAINT:
      Paint(hwnd, *picture);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void RegisterPictureBoxClass(HINSTANCE instance) {
  RegisterWindowClass(instance, {.name = kPictureBoxClass,
                                 .procedure = PictureProc,
                                 .style = CS_HREDRAW | CS_VREDRAW,
                                 .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
}

}  // namespace tallowmere
