#include "platform/win32/Win32MessagePump.h"

#include <windows.h>

#include <algorithm>

namespace tallowmere {

void Win32MessagePump::ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The main loop must still see the request to end.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Win32MessagePump::WaitForMessage(std::chrono::milliseconds timeout) {
  const auto ms = static_cast<DWORD>(
      std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, INFINITE - 1));
  // No handles to wait on: the count is 0, so the null array is never read.
  // cppcheck-suppress nullPointer
  MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace tallowmere
