#pragma once

#include "platform/Clock.h"

namespace tallowmere {

// Milliseconds since Windows started: never goes back and never wraps.
class Win32Clock final : public Clock {
 public:
  std::chrono::milliseconds Now() override;
};

}  // namespace tallowmere
