#pragma once

#include <windows.h>

namespace tallowmere {

// Shows a bitmap stretched over its whole client area. STM_SETIMAGE with
// IMAGE_BITMAP sets the bitmap, which stays its owner's, and returns the
// previous one. It reacts to no click. It is created with the address of the
// HBITMAP that keeps the bitmap (the creation parameter).
inline constexpr wchar_t kPictureBoxClass[] = L"TallowmerePicture";

void RegisterPictureBoxClass(HINSTANCE instance);

}  // namespace tallowmere
