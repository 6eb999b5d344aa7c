#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tallowmere::test {

// The icon windows that Wine's explorer shows in its "Wine System Tray"
// window when the display has no tray of its own.
std::vector<HWND> TrayIconWindows();

// The texts of the tooltip windows now on screen, balloons among them.
std::vector<std::wstring> VisibleTooltipTexts();

}  // namespace tallowmere::test
