#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/KeyTable.h"
#include "ui/Form1Layout.h"
#include "win/support/Describe.h"
#include "win/support/TwipsLayout.h"

namespace tallowmere::test {

TwipsRect PlaceOf(const KeyDef& key);
TwipsRect PlaceOf(const ControlDef& control);

// The controls of Tallowmere's main window, found as a screen reader or a
// user would: a frame by its caption, everything else by where it stands in
// its container. Looked up once, since every question to another process's
// window crosses the wineserver. nullptr stands for not found (a frame
// also when its caption is not unique).
class MainWindowControls {
 public:
  explicit MainWindowControls(HWND mainWindow);

  HWND Window() const { return window_; }
  int Dpi() const { return dpi_; }
  HWND Container(ControlId id) const;
  HWND Control(ControlId id) const;
  HWND Key(int index) const;

 private:
  struct Placed {
    HWND window;
    RECT rect;  // in its container
  };
  HWND At(ControlId container, const TwipsRect& place) const;

  HWND window_;
  int dpi_;
  std::map<ControlId, HWND> containers_;
  std::map<HWND, std::vector<Placed>> children_;
};

}  // namespace tallowmere::test
