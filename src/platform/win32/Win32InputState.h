#pragma once

#include <windows.h>

#include <optional>

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

  // The window whose activation MainWindowActive tells. With a message, it
  // also gets that message posted for every keyboard event of the desktop
  // from now on, watched or not: raw input costs nothing while no key is
  // pressed, unlike a timer that asks.
  void SetMainWindow(HWND window, UINT keyboardMessage = 0);
  std::uint16_t AsyncKeyState(int code) override;
  bool MainWindowActive() override;
  std::uint32_t Now() override;
  std::uint32_t LastInputTime() override;
  void WatchInput(bool on) override;
  std::optional<std::uint32_t> LastInputTime(HookKind kind) override;

  // What the window of one kind keeps: the time of its latest event while
  // watched, and whom it tells of every event.
  struct Sink {
    HWND window = nullptr;
    bool watched = false;
    std::optional<std::uint32_t> last;
    HWND notify = nullptr;
    UINT message = 0;
  };

 private:
  void CreateSinks();
  void Register();

  HWND mainWindow_ = nullptr;
  // By HookKind.
  Sink sinks_[2];
};

}  // namespace tallowmere
