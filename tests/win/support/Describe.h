#pragma once

#include <windows.h>

#include <string>

namespace tallowmere::test {

// Texts for test messages.

// A rectangle as its left, top, width and height.
std::string Describe(const RECT& rect);

// A colour as 0xBBGGRR.
std::string Hex(COLORREF colour);

// Text with CR and LF made visible, for messages about file contents.
std::string Visible(const std::string& text);

}  // namespace tallowmere::test
