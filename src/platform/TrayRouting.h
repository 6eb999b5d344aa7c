#pragma once

#include <cstdint>

#include "platform/WindowHandle.h"

namespace tallowmere {

// Receives the notification area's callback messages for a window.
class TrayMessageTarget {
 public:
  virtual void DispatchTrayMessage(std::intptr_t lParam, std::uintptr_t wParam) = 0;
  // The shell has (re)started with an empty notification area: every icon
  // that should be there must be added again.
  virtual void TaskbarCreated() = 0;

 protected:
  ~TrayMessageTarget() = default;
};

// Puts a window procedure in front of a window's own so that the callback
// message and the shell's "TaskbarCreated" reach the target, while every
// message still goes on to the window's previous procedure.
class TrayRouting {
 public:
  virtual ~TrayRouting() = default;
  // The window does not own the target: the target must remove the routing
  // before it goes.
  virtual void Install(WindowHandle window, TrayMessageTarget& target) = 0;
  virtual void Remove(WindowHandle window) = 0;
};

}  // namespace tallowmere
