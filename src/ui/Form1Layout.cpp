#include "ui/Form1Layout.h"

#include <stdexcept>

namespace tallowmere {

const ControlDef& Definition(ControlId id) {
  for (const ControlDef& def : kControls) {
    if (def.id == id) return def;
  }
  throw std::out_of_range("no such control");
}

}  // namespace tallowmere
