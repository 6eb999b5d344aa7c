#include "win/support/MainWindowUnderTest.h"

#include <gtest/gtest.h>

#include "win/support/Input.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {

bool MainWindowUnderTest::Found(HWND window) {
  window_ = window;
  if (window_ != nullptr) controls_ = std::make_unique<MainWindowControls>(window_);
  return window_ != nullptr;
}

void MainWindowUnderTest::Click(HWND control) {
  ClickAt(Centre(ScreenRect(control)));
}

void MainWindowUnderTest::StartLocking() {
  HWND lockingSwitch = Control(ControlId::PushButton6);
  ASSERT_EQ(WindowText(lockingSwitch), L"Start Disabling");
  Click(lockingSwitch);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window_); }));
  // Read through every child's caption, a round trip each: under Wine a click
  // on the tray icon sent the moment the window hides can be lost, and this
  // wait has been enough to avoid it.
  ASSERT_EQ(FindChildren(window_, L"Stop").size(), 1u);
}

}  // namespace tallowmere::test
