#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace tallowmere::test {

enum class MouseButton { Left, Right, Middle };

// Real input through SendInput, which passes the desktop's low-level hooks
// like a user's own. Each throws when Windows refuses the input.

// Places the pointer at the screen point and presses and releases the button,
// once no window holds the mouse capture. The click is handled later, in the
// receiving program's own time: wait for its effect before the next click.
void ClickAt(POINT screen, MouseButton button = MouseButton::Left);

// Moves the pointer to the screen point as a mouse would, which a mouse hook
// sees (SetCursorPos is not seen by hooks).
void MovePointerTo(POINT screen);

// Moves the pointer relative to where it is; a mouse hook sees a move. The
// tag is the event's extra information, which hooks can read.
void MovePointerBy(int dx, int dy, ULONG_PTR tag = 0);

// Turns the wheel by the given number of notches (positive: away from the user).
void TurnWheel(int notches);

void PressKey(WORD virtualKey, ULONG_PTR tag = 0);
void ReleaseKey(WORD virtualKey, ULONG_PTR tag = 0);

// Presses and releases a key. A poll of the keyboard state every 100 ms sees
// a key only while it is down, so such a reader needs a hold of ~350 ms.
void TapKey(WORD virtualKey, std::chrono::milliseconds hold = std::chrono::milliseconds(0));

// X key events, sent with xdotool (its arguments, as "keydown Shift_L
// Escape"), as a physical keyboard would send them: Wine's key state and raw
// input see them, where keys injected by another program they may not.
// Returns once xdotool is done; throws when it cannot run or does not end.
void XKeys(const std::string& arguments);

}  // namespace tallowmere::test
