#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "e2e/support/Gdi.h"

namespace tallowmere::e2e {

// A top-level window of the test process, filled with one colour, that counts
// the keyboard and mouse messages reaching it: the "other program" that
// shows whether input got through.
class InputReceiver {
 public:
  // rect: the window's place on the screen; colour: 0xBBGGRR.
  InputReceiver(const RECT& rect, COLORREF colour);
  InputReceiver(const InputReceiver&) = delete;
  InputReceiver& operator=(const InputReceiver&) = delete;
  ~InputReceiver();

  HWND Window() const { return window_; }

  // Makes the receiver the foreground window, so that keys go to it; returns
  // whether that happened.
  bool BringToFront();

  int Count(UINT message) const;
  // The virtual-key codes of the WM_KEYDOWN and WM_SYSKEYDOWN received.
  const std::vector<WPARAM>& KeysDown() const { return keysDown_; }
  // Where the last button press landed, in client coordinates.
  POINT LastPress() const { return lastPress_; }
  void Reset();

 private:
  static void RegisterClassOnce();
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  Brush brush_;
  std::map<UINT, int> counts_;
  std::vector<WPARAM> keysDown_;
  POINT lastPress_{-1, -1};
};

}  // namespace tallowmere::e2e
