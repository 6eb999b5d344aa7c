#pragma once

#include <cstdint>

namespace tallowmere {

// A window of the system, as the portable code passes it around.
using WindowHandle = std::uintptr_t;

}  // namespace tallowmere
