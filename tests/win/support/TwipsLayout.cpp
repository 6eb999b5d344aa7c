#include "win/support/TwipsLayout.h"

#include <cstdlib>

#include "platform/win32/Gdi.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

constexpr int kTwipsPerInch = 1440;

bool IsTopLevel(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0;
}

// A pixel length p stands for the twips t when p lies within one pixel of
// t * dpi / 1440, that is |p * 1440 - t * dpi| < 1440.
bool Near(LONG pixels, int twips, int dpi) {
  return std::abs(static_cast<long long>(pixels) * kTwipsPerInch -
                  static_cast<long long>(twips) * dpi) < kTwipsPerInch;
}

}  // namespace

RECT RectInContainer(HWND control) {
  const HWND container = GetParent(control);
  RECT rect = ScreenRect(control);
  POINT origin{0, 0};
  if (IsTopLevel(container)) {
    ClientToScreen(container, &origin);
  } else {
    const RECT outer = ScreenRect(container);
    origin = {outer.left, outer.top};
  }
  OffsetRect(&rect, -origin.x, -origin.y);
  return rect;
}

bool StandsAt(const RECT& pixels, const TwipsRect& twips, int dpi) {
  return Near(pixels.left, twips.left, dpi) && Near(pixels.top, twips.top, dpi) &&
         Near(pixels.right - pixels.left, twips.width, dpi) &&
         Near(pixels.bottom - pixels.top, twips.height, dpi);
}

int WindowDpi(HWND window) {
  WindowDC dc(window);
  return GetDeviceCaps(dc.Get(), LOGPIXELSY);
}

}  // namespace tallowmere::test
