#pragma once

#include <chrono>

namespace tallowmere {

// The user-interface thread's message queue, for code that waits while the
// program stays responsive.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // Dispatches every message that is waiting, then returns.
  virtual void ProcessPendingMessages() = 0;
  // Returns when a message arrives or the time-out has passed, without
  // dispatching anything.
  virtual void WaitForMessage(std::chrono::milliseconds timeout) = 0;
};

}  // namespace tallowmere
