#pragma once

#include <windows.h>

#include "platform/InputState.h"

namespace tallowmere {

class Win32InputState : public InputState {
 public:
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  std::uint16_t AsyncKeyState(int code) override;
  bool MainWindowActive() override;
  std::uint32_t Now() override;
  std::uint32_t LastInputTime() override;

 private:
  HWND mainWindow_ = nullptr;
};

}  // namespace tallowmere
