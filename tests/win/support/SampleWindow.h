#pragma once

#include <windows.h>

#include <string_view>

namespace tallowmere::test {

// A second program for the harness's own tests: the test program started
// again with kSampleWindowArgument shows a window of known colour, place and
// child, and reports the TEMP it was given, so that the harness can be
// checked against another process, as it is used on Tallowmere.
inline constexpr std::wstring_view kSampleWindowArgument = L"--sample-window";
inline constexpr std::wstring_view kIgnoreCloseArgument = L"--ignore-close";
inline constexpr std::wstring_view kSampleWindowTitle = L"E2E sample window";
inline constexpr std::wstring_view kSampleChildText = L"Sample child";
inline constexpr RECT kSampleWindowRect = {100, 120, 400, 320};  // screen
inline constexpr RECT kSampleChildRect = {20, 30, 140, 70};      // in the window
// Written into the TEMP folder the program sees, holding that folder's path
// in UTF-8.
inline constexpr std::wstring_view kSampleTempReport = L"sample-temp.txt";

// Runs the sample window until it is closed; returns the exit code.
int RunSampleWindow(COLORREF colour, bool ignoreClose);

}  // namespace tallowmere::test
