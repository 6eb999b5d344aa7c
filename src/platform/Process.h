#pragma once

namespace tallowmere {

class Process {
 public:
  virtual ~Process() = default;
  // Ends the program at once: no handler runs after it and nothing is saved.
  virtual void End() = 0;
};

}  // namespace tallowmere
