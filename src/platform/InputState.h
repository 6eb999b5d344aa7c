#pragma once

#include <cstdint>
#include <optional>

#include "platform/HookCalls.h"

namespace tallowmere {

// The state of the real keyboard and mouse buttons, and which window is active.
class InputState {
 public:
  virtual ~InputState() = default;
  // GetAsyncKeyState for a virtual-key code 1..255: bit 15 set while the key
  // is down, bit 0 set when it was pressed since the previous query (by any
  // program).
  virtual std::uint16_t AsyncKeyState(int code) = 0;
  // True when the main window is the active window.
  virtual bool MainWindowActive() = 0;
  // Milliseconds since the system started (wrapping after 49.7 days), and on
  // the same clock, when the desktop last had a keyboard or mouse event.
  virtual std::uint32_t Now() = 0;
  virtual std::uint32_t LastInputTime() = 0;
  // Watching the desktop's keyboard and mouse input kind by kind, as the
  // system receives it whether or not a hook is called for it; costs nothing
  // while no input arrives. Starting forgets the input before.
  virtual void WatchInput(bool on) = 0;
  // While watching: when the latest event of the kind arrived, on the clock
  // of Now() and of the hooks' events; none before the first.
  virtual std::optional<std::uint32_t> LastInputTime(HookKind kind) = 0;
};

}  // namespace tallowmere
