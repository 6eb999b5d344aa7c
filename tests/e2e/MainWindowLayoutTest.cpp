// The main window as a user first sees it: its frame, its size and place,
// every key button and every other control where the window's tables put
// them, with its caption and its colour on the screen.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <set>
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
      bool same = previous != nullptr;
      for (LONG y = client.top; same && y < client.bottom; y += 3) {
        for (LONG x = client.left; same && x < client.right; x += 3) {
          same = capture->At(x, y) == previous->At(x, y);
        }
      }
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

  static HWND Container(ControlId id) { return controls->Container(id); }

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

class KeyButtons : public FreshMainWindow, public ::testing::WithParamInterface<int> {};

TEST_P(KeyButtons, StandAtTheirPlaceWithTheirCaptionAndAGrayFace) {
  const int index = GetParam();
  const KeyDef& key = kKeyTable[index];
  HWND frame = Container(ControlId::Frame1);
  ASSERT_NE(frame, nullptr) << "no single frame \"Keyboard Settings\"";
  HWND button = controls->Key(index);
  ASSERT_NE(button, nullptr) << "no control at the place of key " << index << " \"" << key.caption
                             << "\"";
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

INSTANTIATE_TEST_SUITE_P(Keys, KeyButtons, ::testing::Range(0, kKeyCount));

TEST_F(MainWindow, HasOneButtonForEachKey) {
  ASSERT_NE(Container(ControlId::Frame1), nullptr);
  std::set<HWND> buttons;
  for (int index = 0; index < kKeyCount; ++index) buttons.insert(controls->Key(index));
  buttons.erase(nullptr);
  EXPECT_EQ(buttons.size(), static_cast<std::size_t>(kKeyCount));
}

class Controls : public FreshMainWindow, public ::testing::WithParamInterface<ControlDef> {};

TEST_P(Controls, StandAtTheirPlaceInTheirContainerWithTheirCaption) {
  const ControlDef& def = GetParam();
  HWND container = Container(def.container);
  ASSERT_NE(container, nullptr);
  HWND control = controls->Control(def.id);
  ASSERT_NE(control, nullptr) << "nothing at the place of \"" << def.caption << "\"";
  if (!def.caption.empty()) {
    EXPECT_EQ(Utf8(WindowText(control)), def.caption);
  }
  if (def.kind == ControlKind::TickBox) {
    EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Hex(screen->MostCommonColour(ScreenRect(control))), Hex(kWhite));
  }
  // The keyboard picture covers most of the first frame.
  if (def.kind == ControlKind::Frame && def.id != ControlId::Frame1) {
    EXPECT_EQ(Hex(screen->MostCommonColour(ScreenRect(control))), Hex(kWhite));
  }
  if (def.id == ControlId::Check1) {
    // The hidden save button lies below the client area, out of sight.
    EXPECT_GE(ScreenRect(control).top, ClientScreenRect(window).bottom);
  }
}

std::string ControlName(const ::testing::TestParamInfo<ControlDef>& info) {
  std::string name = "Control" + std::to_string(info.index) + "_";
  for (char c : info.param.caption) {
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Table, Controls, ::testing::ValuesIn(kControls), ControlName);

}  // namespace
}  // namespace tallowmere::test
