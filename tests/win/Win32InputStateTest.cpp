#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "platform/win32/Win32InputState.h"
#include "win/support/Input.h"
#include "win/support/Owned.h"
#include "win/support/Wait.h"

namespace tallowmere::test {
namespace {

// A plain top-level window of this thread.
OwnedWindow PlainWindow() {
  return OwnedWindow(CreateWindowExW(0, L"STATIC", L"input state test", WS_OVERLAPPEDWINDOW, 10, 10,
                                     200, 100, nullptr, nullptr, nullptr, nullptr));
}

TEST(Win32InputState, MainWindowActiveOnlyWhileItIsTheActiveWindow) {
  const OwnedWindow main = PlainWindow(), other = PlainWindow();
  ASSERT_TRUE(main.get() && other.get());
  Win32InputState input;
  EXPECT_FALSE(input.MainWindowActive());
  input.SetMainWindow(main.get());
  SetActiveWindow(main.get());
  EXPECT_TRUE(input.MainWindowActive());
  SetActiveWindow(other.get());
  EXPECT_FALSE(input.MainWindowActive());
}

// F24 is on no keyboard, so nothing else on the desktop presses it.
TEST(Win32InputState, NewPressReads8001OnceThenHeldThenReleased) {
  Win32InputState input;
  input.AsyncKeyState(VK_F24);
  PressKey(VK_F24);
  EXPECT_EQ(input.AsyncKeyState(VK_F24), 0x8001);
  EXPECT_EQ(input.AsyncKeyState(VK_F24), 0x8000);
  ReleaseKey(VK_F24);
  EXPECT_EQ(input.AsyncKeyState(VK_F24), 0x0000);
}

TEST(Win32InputState, InputMovesTheLastInputTimeOnTheSameClockAsNow) {
  Win32InputState input;
  const std::uint32_t before = input.Now();
  Sleep(20);
  PressKey(VK_F24);
  ReleaseKey(VK_F24);
  const auto sinceBefore = static_cast<std::int32_t>(input.LastInputTime() - before);
  EXPECT_GE(sinceBefore, 20);
  const std::uint32_t last = input.LastInputTime();
  Sleep(20);
  EXPECT_EQ(input.LastInputTime(), last) << "no input since";
  EXPECT_GE(static_cast<std::int32_t>(input.Now() - last), 20);
}

TEST(Win32InputState, WatchedInputIsTimedByKindOnTheClockOfNow) {
  Win32InputState input;
  const std::uint32_t start = input.Now();
  input.WatchInput(true);
  const auto keyboard = [&] { return input.LastInputTime(HookKind::Keyboard); };
  const auto mouse = [&] { return input.LastInputTime(HookKind::Mouse); };
  EXPECT_FALSE(keyboard() || mouse());

  PressKey(VK_F24);
  ReleaseKey(VK_F24);
  ASSERT_TRUE(WaitFor([&] { return keyboard().has_value(); }));
  EXPECT_FALSE(mouse());
  EXPECT_GE(static_cast<std::int32_t>(*keyboard() - start), 0);
  EXPECT_LE(static_cast<std::int32_t>(*keyboard() - input.Now()), 0);
  MovePointerBy(1, 0);
  EXPECT_TRUE(WaitFor([&] { return mouse().has_value(); }));

  input.WatchInput(false);
  PressKey(VK_F24);
  ReleaseKey(VK_F24);
  PumpMessagesFor(200ms);
  EXPECT_FALSE(keyboard()) << "stopping forgets, and nothing is watched after";
}

}  // namespace
}  // namespace tallowmere::test
