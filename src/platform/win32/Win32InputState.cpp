#include "platform/win32/Win32InputState.h"

namespace tallowmere {

std::uint16_t Win32InputState::AsyncKeyState(int code) {
  return static_cast<std::uint16_t>(GetAsyncKeyState(code));
}

bool Win32InputState::MainWindowActive() {
  return mainWindow_ != nullptr && GetActiveWindow() == mainWindow_;
}

std::uint32_t Win32InputState::Now() {
  return GetTickCount();
}

// On failure the answer is "now", which lets the next poll read every key.
std::uint32_t Win32InputState::LastInputTime() {
  LASTINPUTINFO info{};
  info.cbSize = sizeof info;
  return GetLastInputInfo(&info) ? info.dwTime : GetTickCount();
}

}  // namespace tallowmere
