#pragma once

#include "platform/MessagePump.h"

namespace tallowmere {

// The calling thread's message queue.
class Win32MessagePump final : public MessagePump {
 public:
  void ProcessPendingMessages() override;
  void WaitForMessage(std::chrono::milliseconds timeout) override;
};

}  // namespace tallowmere
