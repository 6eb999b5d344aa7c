#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tallowmere::test {

// A window's text as the window itself reports it (WM_GETTEXT), so that
// controls which keep their caption themselves are read right too.
std::wstring WindowText(HWND window);

std::wstring ClassName(HWND window);

// Every descendant of the window whose text is exactly this, in the order
// Windows lists them.
std::vector<HWND> FindChildren(HWND parent, std::wstring_view text);

// Every descendant of the window, in the order Windows lists them.
std::vector<HWND> AllChildren(HWND parent);

// The window's rectangle on the screen.
RECT ScreenRect(HWND window);

// The window's rectangle relative to its parent's client area, which is
// where a container places it.
RECT RectInParent(HWND window);

// The client area of a window on the screen.
RECT ClientScreenRect(HWND window);

POINT Centre(const RECT& rect);

}  // namespace tallowmere::test
