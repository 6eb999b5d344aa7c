#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "win/support/RunningProgram.h"

namespace tallowmere::test {

// The caption of the box in which the program's trapped handlers report a
// failure.
inline constexpr std::wstring_view kErrorBoxCaption = L"Application Error";

// The program's visible top-level windows with this caption, in the order
// Windows lists them.
std::vector<HWND> ErrorBoxes(const RunningProgram& program,
                             std::wstring_view caption = kErrorBoxCaption);

// What a message box says: the longest text among its static controls, so
// that the icon's empty one and the buttons do not count.
std::wstring BoxMessage(HWND box);

}  // namespace tallowmere::test
