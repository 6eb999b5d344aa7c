#pragma once

#include <windows.h>

namespace tallowmere {

// A group box that holds other controls. Unlike the system's group box it is a
// real container: the notifications of its children (WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_CTLCOLOR*) go on to its own parent, so the main window
// handles them whichever frame a control lies in. Its background brush and
// text colour come from its parent's WM_CTLCOLORSTATIC. It is created with the
// address of the HFONT that keeps its caption's font (the creation parameter).
inline constexpr wchar_t kContainerFrameClass[] = L"TallowmereFrame";

void RegisterContainerFrameClass(HINSTANCE instance);

}  // namespace tallowmere
