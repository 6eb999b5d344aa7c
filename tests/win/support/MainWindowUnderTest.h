#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "ui/Form1Layout.h"
#include "win/support/MainWindowControls.h"
#include "win/support/RunningProgram.h"
#include "win/support/ScreenCapture.h"
#include "win/support/TallowmereUnderTest.h"

namespace tallowmere::test {

// What the end-to-end suites that drive Tallowmere's main window share: the
// program under test, its main window once it is up, and that window's
// controls. A suite derives from it beside ::testing::Test.
class MainWindowUnderTest {
 protected:
  explicit MainWindowUnderTest(std::wstring_view tempName = L"Temp") : program_(tempName) {}

  // Starts the program and finds the controls of its main window; false when
  // the window did not appear in time.
  bool Start() { return Found(program_.Start()); }
  // Takes a main window found otherwise, after the boxes of its start.
  bool Found(HWND window);

  RunningProgram& Program() { return program_.Program(); }
  HWND Key(int index) const { return controls_->Key(index); }
  HWND Control(ControlId id) const { return controls_->Control(id); }

  COLORREF KeyFace(int index) const { return FaceColour(Key(index)); }
  // Clicks the middle of the control, as a user does.
  static void Click(HWND control);

  // Starts locking as a user does, with "Start Disabling", which hides the
  // window.
  void StartLocking();

  TallowmereUnderTest program_;
  HWND window_ = nullptr;
  std::unique_ptr<MainWindowControls> controls_;
};

}  // namespace tallowmere::test
