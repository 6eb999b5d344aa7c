#include "ui/HoverFeedback.h"

#include <array>
#include <utility>

namespace tallowmere {

namespace {

constexpr std::array<std::pair<ControlId, int>, 8> kHoverPointers = {{
    {ControlId::PushButton1, kPointerCustom},
    {ControlId::PushButton2, kPointerCustom},
    {ControlId::PushButton6, kPointerCustom},
    {ControlId::Form1, kPointerDefault},
    {ControlId::Frame1, kPointerDefault},
    {ControlId::Frame2, kPointerDefault},
    {ControlId::Frame3, kPointerDefault},
    {ControlId::Image1, kPointerDefault},
}};

}  // namespace

std::optional<int> HoverPointer(ControlId source) {
  for (const auto& [id, setting] : kHoverPointers) {
    if (id == source) return setting;
  }
  return std::nullopt;
}

}  // namespace tallowmere
