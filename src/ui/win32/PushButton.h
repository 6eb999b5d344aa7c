#pragma once

#include <windows.h>

namespace tallowmere {

// The program's own push button, drawn like a standard one. It tells its
// parent of a click with WM_COMMAND and BN_CLICKED, as a system button does,
// and of every pointer move over it with WM_NOTIFY and kPushButtonMouseMove.
// Its caption is its window text. It is created with the address of its state
// (the creation parameter).
inline constexpr wchar_t kPushButtonClass[] = L"TallowmerePushButton";

// What a button keeps between messages.
struct PushButtonState {
  HFONT font = nullptr;
  bool held = false;    // the left button went down on this button
  bool pushed = false;  // drawn pressed: held and the pointer is inside
};

inline constexpr UINT kPushButtonMouseMove = 0x5401;

// Mouse buttons held: 1 left, 2 right, 4 middle. Shift state: 1 Shift, 2 Ctrl,
// 4 Alt. The place in pixels of the button's client area.
struct PushButtonMouseMoveInfo {
  NMHDR header;
  int button;
  int shift;
  int x;
  int y;
};

void RegisterPushButtonClass(HINSTANCE instance);

}  // namespace tallowmere
