#pragma once

#include <windows.h>

namespace tallowmere::test {

// A place given in twips relative to a container, as the window's tables
// give it.
struct TwipsRect {
  int left, top, width, height;
};

// The control's rectangle relative to its container: the client area of a
// top-level window, the outer edge of any other container (a frame).
RECT RectInContainer(HWND control);

// Whether a pixel rectangle is the twips rectangle at this DPI, to within the
// rounding of each edge to whole pixels.
bool StandsAt(const RECT& pixels, const TwipsRect& twips, int dpi);

// The DPI the window is laid out for.
int WindowDpi(HWND window);

}  // namespace tallowmere::test
