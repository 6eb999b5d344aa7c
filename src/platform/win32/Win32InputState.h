#pragma once

#include <windows.h>

#include "platform/InputState.h"

namespace tallowmere {

// The input is watched through raw input, which the system delivers for every
// event, hooked or not, to a message-only window of the watching thread: one
// window a kind, so that the message alone tells the kind.
class Win32InputState : public InputState {
 public:
  Win32InputState() = default;
  Win32InputState(const Win32InputState&) = delete;
  Win32InputState& operator=(const Win32InputState&) = delete;
  ~Win32InputState() override;

  void SetMainWindow(HWND window) { mainWindow_ = window; }
  std::uint16_t AsyncKeyState(int code) override;
  bool MainWindowActive() override;
  std::uint32_t Now() override;
  std::uint32_t LastInputTime() override;
  void WatchInput(bool on) override;
  std::optional<std::uint32_t> LastInputTime(HookKind kind) override;

 private:
  void Watch(bool on);

  HWND mainWindow_ = nullptr;
  // By HookKind: the window that receives the kind's raw input, and the
  // time of its latest event.
  HWND sinks_[2] = {};
  std::optional<std::uint32_t> lastInput_[2];
};

}  // namespace tallowmere
