#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "platform/win32/Win32InputState.h"
#include "win/support/InputWindow.h"

namespace tallowmere {
namespace {

// A plain top-level window of this thread, destroyed with the object.
class TestWindow {
 public:
  TestWindow() {
    window_ = CreateWindowExW(0, L"STATIC", L"input state test", WS_OVERLAPPEDWINDOW, 10, 10, 200,
                              100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow() { DestroyWindow(window_); }
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

TEST(Win32InputState, MainWindowActiveOnlyWhileItIsTheActiveWindow) {
  TestWindow main, other;
  ASSERT_TRUE(main.Get() && other.Get());
  Win32InputState input;
  EXPECT_FALSE(input.MainWindowActive());
  input.SetMainWindow(main.Get());
  SetActiveWindow(main.Get());
  EXPECT_TRUE(input.MainWindowActive());
  SetActiveWindow(other.Get());
  EXPECT_FALSE(input.MainWindowActive());
}

// F24 is on no keyboard, so nothing else on the desktop presses it.
TEST(Win32InputState, NewPressReads8001OnceThenHeldThenReleased) {
  Win32InputState input;
  input.AsyncKeyState(VK_F24);
  EXPECT_TRUE(SendKey(VK_F24, false));
  EXPECT_EQ(input.AsyncKeyState(VK_F24), 0x8001);
  EXPECT_EQ(input.AsyncKeyState(VK_F24), 0x8000);
  EXPECT_TRUE(SendKey(VK_F24, true));
  EXPECT_EQ(input.AsyncKeyState(VK_F24), 0x0000);
}

TEST(Win32InputState, InputMovesTheLastInputTimeOnTheSameClockAsNow) {
  Win32InputState input;
  const std::uint32_t before = input.Now();
  Sleep(20);
  EXPECT_TRUE(SendKey(VK_F24, false));
  EXPECT_TRUE(SendKey(VK_F24, true));
  const auto sinceBefore = static_cast<std::int32_t>(input.LastInputTime() - before);
  EXPECT_GE(sinceBefore, 20);
  EXPECT_LE(static_cast<std::int32_t>(input.LastInputTime() - input.Now()), 0);
}

}  // namespace
}  // namespace tallowmere
