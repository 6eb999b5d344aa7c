#pragma once

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <vector>

#include "platform/win32/Gdi.h"
#include "win/support/Wait.h"

namespace tallowmere::test {

// A top-level window of the test process, filled with one colour, that
// records the keyboard and mouse messages reaching it: the "other program"
// that shows whether input got through.
class InputReceiver {
 public:
  struct Received {
    UINT message;
    WPARAM wParam;
    LARGE_INTEGER time;  // QueryPerformanceCounter when it was dispatched
  };

  // rect: the window's place on the screen; colour: 0xBBGGRR.
  explicit InputReceiver(const RECT& rect = {100, 100, 500, 400}, COLORREF colour = 0xFFFFFF);
  InputReceiver(const InputReceiver&) = delete;
  InputReceiver& operator=(const InputReceiver&) = delete;
  ~InputReceiver();

  HWND Window() const { return window_; }
  // The middle of the window on the screen.
  POINT Centre() const;

  // Makes the receiver the foreground window, so that keys go to it; returns
  // whether that happened.
  bool BringToFront();

  const std::vector<Received>& Messages() const { return received_; }
  int Count(UINT message) const;
  int Count(UINT message, WPARAM wParam) const;
  // Waits, dispatching this thread's messages, until one such message came.
  bool WaitFor(UINT message, std::chrono::milliseconds timeout = kPatience);
  bool WaitFor(UINT message, WPARAM wParam, std::chrono::milliseconds timeout = kPatience);
  // The virtual-key codes of the WM_KEYDOWN and WM_SYSKEYDOWN received.
  std::vector<WPARAM> KeysDown() const;
  // Starts afresh, comes to the front and taps the keys in turn, the last
  // one a key that nothing blocks; returns the keys that came down by the time
  // the last one came up (or the wait for it ran out). Throws when the
  // receiver cannot come to the front.
  std::vector<WPARAM> KeysArriving(std::initializer_list<WORD> keys);
  // Where the last button press landed, in client coordinates.
  POINT LastPress() const { return lastPress_; }
  void Reset();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  GdiBrush brush_;
  std::vector<Received> received_;
  POINT lastPress_{-1, -1};
};

}  // namespace tallowmere::test
