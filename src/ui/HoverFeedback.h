#pragma once

#include <optional>
#include <string_view>

#include "ui/Form1Layout.h"

namespace tallowmere {

// The main window's pointer setting (MousePointer): the system's arrow, or the
// window's own mouse icon.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerCustom = 99;

// The hand pointer ships beside the executable.
inline constexpr std::string_view kPointerFile = "HAND-M.CUR";

// The setting a mouse move over the control gives the window: the hand over
// what acts on a click, the arrow over the background, the frames and the
// keyboard picture. Nothing for the other controls: over them the pointer
// keeps whatever the last listed control gave it. Key buttons are not
// ControlIds; a move over any of them gives kPointerCustom.
std::optional<int> HoverPointer(ControlId source);

}  // namespace tallowmere
