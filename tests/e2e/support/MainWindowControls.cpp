#include "e2e/support/MainWindowControls.h"

#include <sstream>

#include "e2e/support/WindowQueries.h"
#include "platform/win32/Text.h"

namespace tallowmere::e2e {

TwipsRect PlaceOf(const KeyDef& key) {
  return {key.left, key.top, key.width, key.height};
}

TwipsRect PlaceOf(const ControlDef& control) {
  return {control.left, control.top, control.width, control.height};
}

HWND FindContainer(HWND mainWindow, ControlId id) {
  if (id == ControlId::Form1) return mainWindow;
  const auto frames = FindChildren(mainWindow, Wide(std::string(Definition(id).caption)));
  return frames.size() == 1 ? frames[0] : nullptr;
}

HWND FindControl(HWND mainWindow, ControlId id) {
  const ControlDef& def = Definition(id);
  HWND container = FindContainer(mainWindow, def.container);
  return container ? ChildAt(container, PlaceOf(def), WindowDpi(mainWindow)) : nullptr;
}

HWND FindKeyButton(HWND mainWindow, int index) {
  HWND frame = FindContainer(mainWindow, ControlId::Frame1);
  return frame ? ChildAt(frame, PlaceOf(kKeyTable[index]), WindowDpi(mainWindow)) : nullptr;
}

std::string Hex(COLORREF colour) {
  std::ostringstream out;
  out << "0x" << std::hex << colour;
  return out.str();
}

std::string Visible(const std::string& text) {
  std::string shown;
  for (char c : text) {
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace tallowmere::e2e
