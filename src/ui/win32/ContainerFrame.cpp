#include "ui/win32/ContainerFrame.h"

#include <string>

#include "platform/win32/Gdi.h"
#include "platform/win32/Text.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/WindowObject.h"

namespace tallowmere {

namespace {

HBRUSH ParentBrush(HWND hwnd, HDC dc) {
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                           reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(hwnd)));
  return brush ? brush : GetSysColorBrush(COLOR_WINDOW);
}

void Paint(HWND hwnd, HFONT captionFont) {
  PaintDC paint(hwnd);
  HDC dc = paint.Get();
  const HBRUSH background = ParentBrush(hwnd, dc);
  SelectScope font(dc, captionFont ? captionFont : GetStockObject(DEFAULT_GUI_FONT));

  const std::wstring caption = WindowText(hwnd);
  const int length = static_cast<int>(caption.size());

  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT client;
  GetClientRect(hwnd, &client);
  RECT box = client;
  box.top += metrics.tmHeight / 2;
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;

  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), length, &extent);
  // The caption's indent grows with the font, so it keeps its proportion at any DPI.
  const int indent = metrics.tmAveCharWidth;
  RECT label{client.left + indent, client.top, client.left + indent + extent.cx + 4,
             client.top + metrics.tmHeight};
  FillRect(dc, &label, background);
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, label.left + 2, label.top, caption.c_str(), length);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* font = WindowObject<HFONT>(hwnd, message, lParam);
  if (!font) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    case WM_SETFONT:
      *font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(*font);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(dc, &client, ParentBrush(hwnd, dc));
      return 1;
    }
    case WM_PAINT:
      Paint(hwnd, *font);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void RegisterContainerFrameClass(HINSTANCE instance) {
  RegisterWindowClass(
      instance,
      {.name = kContainerFrameClass, .procedure = FrameProc, .style = CS_HREDRAW | CS_VREDRAW});
}

}  // namespace tallowmere
