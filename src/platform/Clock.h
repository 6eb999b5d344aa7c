#pragma once

#include <chrono>

namespace tallowmere {

// A clock that never jumps back: not changed by the date, the time of day or
// midnight.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::milliseconds Now() = 0;
};

}  // namespace tallowmere
