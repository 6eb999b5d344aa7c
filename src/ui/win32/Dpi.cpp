#include "ui/win32/Dpi.h"

#include <string>

namespace tallowmere {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <class Fn>
Fn FindUser32(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  FARPROC proc = user32 ? GetProcAddress(user32, name) : nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

// GetDpiForWindow and AdjustWindowRectExForDpi exist from Windows 10 1607 on;
// earlier systems have one DPI for the whole screen.
int WindowDpi(HWND hwnd) {
  static const auto getDpiForWindow = FindUser32<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && hwnd) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  WindowDC screen(nullptr);
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : kDefaultDpi;
}

RECT TwipsRect(int left, int top, int width, int height, int dpi) {
  return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(left + width, dpi),
          TwipsToPixels(top + height, dpi)};
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi =
      FindUser32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, client.cx, client.cy};
  if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
  }
  return {r.right - r.left, r.bottom - r.top};
}

GdiFont CreatePointFont(std::wstring_view face, int centipoints, bool bold, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(centipoints, dpi, 72 * 100);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_TT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  const std::wstring name(face.substr(0, LF_FACESIZE - 1));
  name.copy(font.lfFaceName, name.size());
  return GdiFont(CreateFontIndirectW(&font));
}

}  // namespace tallowmere
