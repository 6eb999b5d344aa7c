#include "win/support/MainWindowControls.h"

#include "platform/win32/Text.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {

TwipsRect PlaceOf(const KeyDef& key) {
  return {key.left, key.top, key.width, key.height};
}

TwipsRect PlaceOf(const ControlDef& control) {
  return {control.left, control.top, control.width, control.height};
}

MainWindowControls::MainWindowControls(HWND mainWindow)
    : window_(mainWindow), dpi_(WindowDpi(mainWindow)) {
  containers_[ControlId::Form1] = window_;
  std::vector<HWND> frames;
  for (HWND child : AllChildren(window_)) {
    if (GetParent(child) == window_) frames.push_back(child);
  }
  for (ControlId id : {ControlId::Frame1, ControlId::Frame2, ControlId::Frame3}) {
    const std::wstring caption = Wide(std::string(Definition(id).caption));
    HWND found = nullptr;
    int count = 0;
    for (HWND frame : frames) {
      if (WindowText(frame) == caption) found = frame, ++count;
    }
    containers_[id] = count == 1 ? found : nullptr;
  }
  for (const auto& [id, container] : containers_) {
    if (!container) continue;
    auto& placed = children_[container];
    for (HWND child : AllChildren(container)) {
      if (GetParent(child) == container) placed.push_back({child, RectInContainer(child)});
    }
  }
}

HWND MainWindowControls::Container(ControlId id) const {
  const auto it = containers_.find(id);
  return it == containers_.end() ? nullptr : it->second;
}

HWND MainWindowControls::At(ControlId containerId, const TwipsRect& place) const {
  const auto it = children_.find(Container(containerId));
  if (it == children_.end()) return nullptr;
  for (const Placed& child : it->second) {
    if (StandsAt(child.rect, place, dpi_)) return child.window;
  }
  return nullptr;
}

HWND MainWindowControls::Control(ControlId id) const {
  const ControlDef& def = Definition(id);
  return At(def.container, PlaceOf(def));
}

HWND MainWindowControls::Key(int index) const {
  return At(ControlId::Frame1, PlaceOf(kKeyTable[index]));
}

}  // namespace tallowmere::test
