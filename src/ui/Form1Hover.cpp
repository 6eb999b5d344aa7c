#include "ui/Form1.h"

namespace tallowmere {

void Form1::cmdKey_MouseMove(std::int16_t) {
  SetMousePointer(kPointerCustom);
}

void Form1::MouseMove(ControlId source) {
  if (const std::optional<int> setting = HoverPointer(source)) SetMousePointer(*setting);
}

void Form1::SetMouseIcon(const std::shared_ptr<const PictureObject>& icon) {
  MouseIcon = icon;
  view_.MousePointerChanged();
}

void Form1::SetMousePointer(int setting) {
  MousePointer = setting;
  view_.MousePointerChanged();
}

}  // namespace tallowmere
