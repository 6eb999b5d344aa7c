// The key capture poll of the real window with the real keyboard state: it
// runs exactly while the main window is the active window.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/win32/Form1Window.h"
#include "platform/win32/Win32InputState.h"
#include "unit/fakes/FakePlatform.h"
#include "win/support/InputWindow.h"

namespace tallowmere {
namespace {

using namespace std::chrono_literals;

// Processes this thread's messages until the condition holds or the time is
// up; returns whether it held.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

class KeyCapturePoll : public ::testing::Test {
 protected:
  void SetUp() override {
    window.Create();
    input.SetMainWindow(window.hwnd());
    other = CreateWindowExW(0, L"STATIC", L"another window", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
  }
  void TearDown() override { DestroyWindow(other); }

  bool PollRuns() { return window.form().Timer1.Enabled; }

  // F24 is on no keyboard and no key button carries it: a poll that sees it
  // newly pressed saves once and marks nothing.
  bool PressOfF24IsSaved() {
    const int before = fake.files.replaces;
    EXPECT_TRUE(SendKey(VK_F24, false));
    const bool saved = PumpUntil([&] { return fake.files.replaces > before; }, 1s);
    EXPECT_TRUE(SendKey(VK_F24, true));
    return saved;
  }

  FakePlatform fake;
  Win32InputState input;
  Platform platform = fake.WithInput(input);
  Form1Window window{platform};
  HWND other = nullptr;
};

TEST_F(KeyCapturePoll, RunsExactlyWhileTheMainWindowIsActive) {
  SetActiveWindow(other);
  EXPECT_TRUE(PumpUntil([&] { return !PollRuns(); }, 2s)) << "a window never activated";
  SetActiveWindow(window.hwnd());
  EXPECT_TRUE(PumpUntil([&] { return PollRuns(); }, 2s));
  EXPECT_TRUE(PressOfF24IsSaved());

  SetActiveWindow(other);
  EXPECT_TRUE(PumpUntil([&] { return !PollRuns(); }, 2s)) << "losing activation stops it";
  EXPECT_FALSE(PressOfF24IsSaved());
}

}  // namespace
}  // namespace tallowmere
