// The key capture poll of the real window with the real keyboard state: it
// runs exactly while the main window is the active window.

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32InputState.h"
#include "win/Form1WindowFixture.h"
#include "win/support/Input.h"
#include "win/support/Owned.h"
#include "win/support/Wait.h"

namespace tallowmere::test {
namespace {

class KeyCapturePoll : public WithForm1Window<> {
 protected:
  KeyCapturePoll() : WithForm1Window(input) {}
  void SetUp() override {
    WithForm1Window::SetUp();
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

  Win32InputState input;
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
