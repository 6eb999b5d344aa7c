#pragma once

#include <cstdint>

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
};

}  // namespace tallowmere
