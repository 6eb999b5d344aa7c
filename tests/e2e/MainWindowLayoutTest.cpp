// The main window as a user first sees it: its frame, its size and place,
// every key button and every other control where the window's tables put
// them, with its caption and its colour on the screen.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/KeyTable.h"
#include "platform/win32/Text.h"
#include "ui/Form1Layout.h"
#include "win/support/Describe.h"
#include "win/support/MainWindowControls.h"
#include "win/support/ScreenCapture.h"
#include "win/support/TallowmereUnderTest.h"
#include "win/support/TwipsLayout.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

// One program for a whole suite: the checks only look. The picture of the
// screen is taken once the window has painted and stands still.
class FreshMainWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    program = std::make_unique<TallowmereUnderTest>();
    window = program->Start();
    if (!window) return;
    controls = std::make_unique<MainWindowControls>(window);
    dpi = controls->Dpi();
    const RECT client = ClientScreenRect(window);
    std::unique_ptr<ScreenCapture> previous;
    WaitFor([&] {
      auto capture = std::make_unique<ScreenCapture>(ScreenCapture::Take());
      const bool same = previous != nullptr && capture->Difference(*previous, client) == 0;
      previous = std::move(capture);
      return same;
    });
    screen = std::move(previous);
  }
  static void TearDownTestSuite() {
    screen.reset();
    controls.reset();
    program.reset();
    window = nullptr;
  }
  void SetUp() override { ASSERT_NE(window, nullptr) << "the main window did not appear"; }

  static std::unique_ptr<TallowmereUnderTest> program;
  static std::unique_ptr<MainWindowControls> controls;
  static HWND window;
  static int dpi;
  static std::unique_ptr<ScreenCapture> screen;
};

std::unique_ptr<TallowmereUnderTest> FreshMainWindow::program;
std::unique_ptr<MainWindowControls> FreshMainWindow::controls;
HWND FreshMainWindow::window = nullptr;
int FreshMainWindow::dpi = 96;
std::unique_ptr<ScreenCapture> FreshMainWindow::screen;

using MainWindow = FreshMainWindow;

TEST_F(MainWindow, HasASingleBorderAndAMinimiseButtonOnly) {
  const auto style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the window can be resized";
}

TEST_F(MainWindow, HasItsClientSizeAndStandsInTheCentreOfTheScreen) {
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_TRUE(StandsAt(client, {0, 0, kClientWidthTwips, kClientHeightTwips}, dpi))
      << Describe(client) << " at " << dpi << " DPI";

  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const POINT centre = Centre(ScreenRect(window));
  const POINT middle = Centre(area);
  EXPECT_LE(std::abs(centre.x - middle.x), 1) << Describe(ScreenRect(window));
  EXPECT_LE(std::abs(centre.y - middle.y), 1) << Describe(ScreenRect(window));
}

TEST_F(MainWindow, ShowsAWhiteBackground) {
  // Between the top of the window and the first frame.
  const RECT client = ClientScreenRect(window);
  const RECT strip = {client.left, client.top, client.right, client.top + 6};
  EXPECT_EQ(Hex(screen->MostCommonColour(strip)), Hex(kWhite));
}

// Each control is found as a user would find it, in its container at the
// place the table gives it; the tick boxes show clear and white, the frames
// below the keyboard white.
TEST_F(MainWindow, ShowsEveryControlWhereTheTableSaysWithItsCaption) {
  for (const ControlDef& def : kControls) {
    const HWND control = controls->Control(def.id);
    if (!control) {
      ADD_FAILURE() << "nothing in its container at the place of \"" << def.caption << "\"";
      continue;
    }
    SCOPED_TRACE(def.caption);
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_EQ(Utf8(WindowText(control)), def.caption);
    if (def.kind == ControlKind::TickBox) {
      EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    }
    // The keyboard picture covers most of the first frame.
    if (def.kind == ControlKind::TickBox ||
        (def.kind == ControlKind::Frame && def.id != ControlId::Frame1)) {
      EXPECT_EQ(Hex(screen->MostCommonColour(ScreenRect(control))), Hex(kWhite));
    }
  }
  // The hidden save button lies below the client area, out of sight.
  const HWND save = controls->Control(ControlId::Check1);
  ASSERT_NE(save, nullptr);
  EXPECT_GE(ScreenRect(save).top, ClientScreenRect(window).bottom);
}

TEST_F(MainWindow, ShowsEveryKeyInTheKeyboardFrameWithItsCaptionAndAGrayFace) {
  for (int index = 0; index < kKeyCount; ++index) {
    const KeyDef& key = kKeyTable[index];
    const HWND button = controls->Key(index);
    if (!button) {
      ADD_FAILURE() << "nothing at the place of key " << index << " \"" << key.caption << "\"";
      continue;
    }
    SCOPED_TRACE("key " + std::to_string(index));
    EXPECT_TRUE(IsWindowVisible(button));
    const std::wstring text = WindowText(button);
    if (key.picture == Picture::None && !key.caption.empty()) {
      EXPECT_EQ(Utf8(text), key.caption);
    } else {
      EXPECT_FALSE(text.empty()) << "the key has no name for screen readers";
    }
    if (key.picture == Picture::None) {
      EXPECT_EQ(Hex(screen->MostCommonColour(Inset(ScreenRect(button), 3))), Hex(kUnmarkedColor));
    }
  }
}

}  // namespace
}  // namespace tallowmere::test
