// The key capture poll of the real window with the real keyboard state: it
// runs exactly while the main window is the active window.

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Form1Window.h"
#include "platform/win32/Win32InputState.h"
#include "unit/fakes/FakePlatform.h"
#include "win/support/Input.h"
#include "win/support/Owned.h"
#include "win/support/Wait.h"

namespace tallowmere::test {
namespace {

class KeyCapturePoll : public ::testing::Test {
 protected:
  void SetUp() override {
    window.Create();
    input.SetMainWindow(window.hwnd());
    ASSERT_NE(other, nullptr);
  }

  bool PollRuns() { return window.form().Timer1.Enabled; }

  // F24 is on no keyboard and no key button carries it: a poll that sees it
  // newly pressed saves once and marks nothing.
  bool PressOfF24IsSaved() {
    const int before = fake.files.replaces;
    PressKey(VK_F24);
    const bool saved = WaitFor([&] { return fake.files.replaces > before; }, 1s);
    ReleaseKey(VK_F24);
    return saved;
  }

  FakePlatform fake;
  Win32InputState input;
  Platform platform = fake.With(input, fake.hooks);
  Form1Window window{platform};
  OwnedWindow other{CreateWindowExW(0, L"STATIC", L"another window", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                    100, nullptr, nullptr, nullptr, nullptr)};
};

TEST_F(KeyCapturePoll, RunsExactlyWhileTheMainWindowIsActive) {
  SetActiveWindow(other.get());
  EXPECT_TRUE(WaitFor([&] { return !PollRuns(); }, 2s)) << "a window never activated";
  SetActiveWindow(window.hwnd());
  EXPECT_TRUE(WaitFor([&] { return PollRuns(); }, 2s));
  EXPECT_TRUE(PressOfF24IsSaved());

  SetActiveWindow(other.get());
  EXPECT_TRUE(WaitFor([&] { return !PollRuns(); }, 2s)) << "losing activation stops it";
  EXPECT_FALSE(PressOfF24IsSaved());
}

}  // namespace
}  // namespace tallowmere::test
