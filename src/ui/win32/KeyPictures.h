#pragma once

#include <windows.h>

#include "platform/win32/Gdi.h"

namespace tallowmere {

// The keyboard picture Image1 shows at 96 DPI, in pixels.
inline constexpr int kKeyboardPictureWidth = 608;
inline constexpr int kKeyboardPictureHeight = 143;

// The Windows logo and the menu symbol of the picture keys, drawn to fill the
// box (22 x 19 and 18 x 18 pixels at 96 DPI) on whatever lies beneath.
void DrawWindowsLogo(HDC dc, const RECT& box);
void DrawMenuSymbol(HDC dc, const RECT& box);

// The place of a key's drawing in the keyboard picture: its button's place in
// the frame, taken relative to the picture's origin, in 96-DPI pixels.
RECT KeyRectInPicture(int index);

// The keyboard picture, drawn from the key table so that every key's drawing
// lies under its button. The picture keys show their pictures.
GdiBitmap CreateKeyboardPicture();

// Colours of the keyboard picture.
inline constexpr COLORREF kKeyboardBodyColor = RGB(72, 72, 72);
inline constexpr COLORREF kKeyCapColor = RGB(228, 228, 228);

}  // namespace tallowmere
