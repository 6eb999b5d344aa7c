#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <iostream>
#include <string>

#include "platform/win32/Text.h"
#include "win/support/SampleWindow.h"
#include "win/support/ScreenCapture.h"
#include "win/support/TestFolder.h"

namespace {

// Leaves a picture of the screen behind for every failed test, taken while
// the failing test's windows are still up.
class ScreenshotOnFailure : public ::testing::EmptyTestEventListener {
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed() || saved_) return;
    saved_ = true;
    try {
      const auto file = tallowmere::test::SaveScreenshot(tallowmere::test::CurrentTestName());
      std::cout << "screenshot of the failure: " << tallowmere::Utf8(file.wstring()) << "\n";
    } catch (const std::exception& e) {
      std::cout << "no screenshot of the failure: " << e.what() << "\n";
    }
  }
  void OnTestStart(const ::testing::TestInfo&) override { saved_ = false; }

  bool saved_ = false;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace tallowmere::test;
  if (argc >= 3 && argv[1] == kSampleWindowArgument) {
    const auto colour = static_cast<COLORREF>(std::wcstoul(argv[2], nullptr, 16));
    return RunSampleWindow(colour, argc >= 4 && argv[3] == kIgnoreCloseArgument);
  }
  ::testing::InitGoogleMock(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
  return RUN_ALL_TESTS();
}
