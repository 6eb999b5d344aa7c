#include "platform/win32/Win32InputState.h"

namespace tallowmere {

std::uint16_t Win32InputState::AsyncKeyState(int code) {
  return static_cast<std::uint16_t>(GetAsyncKeyState(code));
}

bool Win32InputState::MainWindowActive() {
  return mainWindow_ != nullptr && GetActiveWindow() == mainWindow_;
}

}  // namespace tallowmere
