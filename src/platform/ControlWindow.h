#pragma once

#include <memory>

#include "platform/WindowHandle.h"

namespace tallowmere {

// A control's own window: never shown, there for the system to send the
// control messages. Destroying the object destroys the window.
class ControlWindow {
 public:
  virtual ~ControlWindow() = default;
  virtual WindowHandle Handle() const = 0;
};

class ControlWindows {
 public:
  virtual ~ControlWindows() = default;
  // Throws AppError when the system refuses the window.
  virtual std::unique_ptr<ControlWindow> Create() = 0;
};

}  // namespace tallowmere
