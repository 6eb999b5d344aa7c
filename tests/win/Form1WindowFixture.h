#pragma once

#include <gtest/gtest.h>

#include "ui/win32/Form1Window.h"
#include "unit/fakes/FakePlatform.h"

namespace tallowmere::test {

// The main window of the Windows layer over the unit tests' fakes, created
// hidden for each test: WithForm1Window<> for plain tests,
// WithForm1Window<::testing::TestWithParam<Case>> for tables of cases. A suite
// that needs the real keyboard state, or other hook calls, hands them to the
// constructor; they may be members of the suite, used only once the window
// is created.
template <class Base = ::testing::Test>
class WithForm1Window : public Base {
 protected:
  WithForm1Window() = default;
  explicit WithForm1Window(InputState& input, HookCalls* hooks = nullptr)
      : platform(fake.With(input, hooks != nullptr ? *hooks : fake.hooks)) {}

  void SetUp() override { window.Create(); }

  HWND Child(ControlId id) { return window.Control(id).hwnd; }

  FakePlatform fake;
  Platform platform = fake.platform;
  Form1Window window{platform};
};

}  // namespace tallowmere::test
