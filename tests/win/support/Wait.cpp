#include "win/support/Wait.h"

#include <windows.h>

#include <algorithm>

namespace tallowmere::test {
namespace {

constexpr std::chrono::milliseconds kPollInterval = 15ms;

void PumpPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Sleeps until a message arrives or the interval passes.
void WaitForMessages(std::chrono::milliseconds interval) {
  MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(interval.count()), QS_ALLINPUT,
                              MWMO_INPUTAVAILABLE);
  PumpPendingMessages();
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    PumpPendingMessages();
    if (condition()) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    WaitForMessages(std::min(
        kPollInterval, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now)));
  }
}

void PumpMessagesFor(std::chrono::milliseconds duration) {
  const auto deadline = std::chrono::steady_clock::now() + duration;
  for (auto now = std::chrono::steady_clock::now(); now < deadline;
       now = std::chrono::steady_clock::now()) {
    WaitForMessages(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now));
  }
}

}  // namespace tallowmere::test
