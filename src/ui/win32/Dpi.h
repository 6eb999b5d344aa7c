#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/Gdi.h"

namespace tallowmere {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;

// The dots per inch the window is shown at: its monitor's where the system
// tells per window, otherwise the screen's.
int WindowDpi(HWND hwnd);

inline int TwipsToPixels(int twips, int dpi) {
  return MulDiv(twips, dpi, kTwipsPerInch);
}

// A rectangle given in twips as left, top, width and height, in pixels. Both
// corners are converted, so neighbouring controls keep their gaps.
RECT TwipsRect(int left, int top, int width, int height, int dpi);

// The outer size of a window whose client area has the given size.
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, int dpi);

// A font of the given face and size in hundredths of a point.
GdiFont CreatePointFont(std::wstring_view face, int centipoints, bool bold, int dpi);

}  // namespace tallowmere
