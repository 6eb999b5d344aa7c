#pragma once

#include <windows.h>

#include <string>

#include "e2e/support/TwipsLayout.h"
#include "engine/KeyTable.h"
#include "ui/Form1Layout.h"

namespace tallowmere::e2e {

TwipsRect PlaceOf(const KeyDef& key);
TwipsRect PlaceOf(const ControlDef& control);

// The controls of Tallowmere's main window, found as a screen reader or a
// user would: a frame by its caption, everything else by where it stands in
// its container. nullptr when not found (or, for a frame, not found once).
HWND FindContainer(HWND mainWindow, ControlId id);
HWND FindControl(HWND mainWindow, ControlId id);
HWND FindKeyButton(HWND mainWindow, int index);

// A colour as text for messages, 0xBBGGRR.
std::string Hex(COLORREF colour);

// Text with CR and LF made visible, for messages about file contents.
std::string Visible(const std::string& text);

}  // namespace tallowmere::e2e
