// A user's clicks on key buttons and mouse options, as real input, and what
// they leave behind: the block list file byte for byte, the key faces on the
// screen and the ticks of the boxes.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/Text.h"
#include "win/support/Describe.h"
#include "win/support/FileWatch.h"
#include "win/support/Input.h"
#include "win/support/MainWindowUnderTest.h"
#include "win/support/ScreenCapture.h"
#include "win/support/TestFolder.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

// What one click aims at: a key button by index, or a control of the window.
struct Target {
  int key = -1;
  ControlId control = ControlId::Form1;
};

Target KeyButton(int index) {
  return {index, ControlId::Form1};
}
Target Option(ControlId id) {
  return {-1, id};
}

struct Step {
  Target target;
  std::string blockList;  // the file's bytes after the click
};

class ClickingTheMainWindow : public MainWindowUnderTest {
 protected:
  explicit ClickingTheMainWindow(std::wstring_view tempName = L"Temp")
      : MainWindowUnderTest(tempName) {}

  // Starts the program and notes the block list its load left behind, so
  // that no read of the file meets the first click's save.
  bool Start() {
    if (!MainWindowUnderTest::Start()) return false;
    blockList_ = std::make_unique<FileWatch>(program_.BlockListFile());
    return true;
  }

  HWND Find(const Target& target) const {
    return target.key >= 0 ? Key(target.key) : Control(target.control);
  }

  // Clicks the middle of the target, as a user would, and keeps track of
  // what the window should show afterwards.
  void Click(const Target& target) {
    HWND control = Find(target);
    ASSERT_NE(control, nullptr) << "nothing to click at key " << target.key;
    MainWindowUnderTest::Click(control);
    if (target.key >= 0) {
      marked_[target.key] = !marked_[target.key];
    } else {
      ticked_[target.control] = !ticked_[target.control];
    }
  }

  // Waits until the block list file holds exactly these bytes.
  void ExpectBlockList(const std::string& expected) {
    const auto& seen = blockList_->Last();
    EXPECT_TRUE(blockList_->WaitForBytes(expected))
        << "expected " << Visible(expected) << ", the file holds "
        << (seen ? Visible(*seen) : std::string("nothing"));
  }

  // Waits until every key clicked so far shows green when marked and gray
  // when not, on the screen; picture keys are hidden while marked.
  void ExpectFaces() {
    std::ostringstream wrong;
    const bool matched = WaitFor([&] {
      wrong.str("");
      const auto screen = ScreenCapture::Take();
      for (const auto& [index, marked] : marked_) {
        HWND button = Key(index);
        if (kKeyTable[index].picture != Picture::None) {
          if (IsWindowVisible(button) == marked) wrong << " key " << index << " visible";
          continue;
        }
        const COLORREF face = screen.MostCommonColour(Inset(ScreenRect(button), 3));
        if (face != (marked ? kMarkedColor : kUnmarkedColor)) {
          wrong << " key " << index << " shows " << Hex(face);
        }
      }
      return wrong.str().empty();
    });
    EXPECT_TRUE(matched) << "wrong faces:" << wrong.str();
  }

  // Clicks each target in turn and checks the file, the faces and the ticks
  // after each click.
  void RunSteps(const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
      SCOPED_TRACE("step " + std::to_string(i + 1));
      Click(steps[i].target);
      ExpectBlockList(steps[i].blockList);
      ExpectFaces();
      ExpectTicks();
    }
  }

  void ExpectTicks() {
    for (const auto& [id, ticked] : ticked_) {
      EXPECT_EQ(SendMessageW(Control(id), BM_GETCHECK, 0, 0), ticked ? BST_CHECKED : BST_UNCHECKED)
          << Definition(id).caption;
    }
  }

  std::unique_ptr<FileWatch> blockList_;
  std::map<int, bool> marked_;
  std::map<ControlId, bool> ticked_;
};

class BlockListByClicks : public ClickingTheMainWindow, public ::testing::Test {};

// Keys go into the file in button order and mouse groups in their fixed
// order, whatever the order of the clicks; both Enter keys carry 13.
TEST_F(BlockListByClicks, FollowsEveryClickInButtonOrder) {
  ASSERT_TRUE(Start());
  ExpectBlockList("\r\n");
  const std::vector<Step> steps = {
      {KeyButton(41), "65,\r\n"},                                           // a
      {KeyButton(53), "65,90,\r\n"},                                        // z
      {KeyButton(29), "81,65,90,\r\n"},                                     // q
      {KeyButton(52), "81,65,13,90,\r\n"},                                  // Enter
      {KeyButton(96), "81,65,13,90,13,\r\n"},                               // keypad ent
      {Option(ControlId::Check6_), "81,65,13,90,13,519,520,\r\n"},          // middle
      {Option(ControlId::Check2_), "81,65,13,90,13,513,514,519,520,\r\n"},  // left
      {KeyButton(41), "81,13,90,13,513,514,519,520,\r\n"},                  // a again
      {KeyButton(52), "81,90,13,513,514,519,520,\r\n"},                     // Enter again
      {Option(ControlId::Check6_), "81,90,13,513,514,\r\n"},                // middle again
      {KeyButton(99), "81,90,13,32,513,514,\r\n"},                          // space bar
  };
  RunSteps(steps);
}

// The boxes clicked in the order they stand on the screen.
TEST_F(BlockListByClicks, AllFiveMouseOptionsInTheirFixedOrderAndNoneAgain) {
  ASSERT_TRUE(Start());
  const std::vector<Step> steps = {
      {Option(ControlId::Check5_), "522,\r\n"},
      {Option(ControlId::Check3_), "516,517,522,\r\n"},
      {Option(ControlId::Check4_), "516,517,512,522,\r\n"},
      {Option(ControlId::Check2_), "513,514,516,517,512,522,\r\n"},
      {Option(ControlId::Check6_), "513,514,516,517,512,522,519,520,\r\n"},
      {Option(ControlId::Check5_), "513,514,516,517,512,519,520,\r\n"},
      {Option(ControlId::Check3_), "513,514,512,519,520,\r\n"},
      {Option(ControlId::Check4_), "513,514,519,520,\r\n"},
      {Option(ControlId::Check2_), "519,520,\r\n"},
      {Option(ControlId::Check6_), "\r\n"},
  };
  RunSteps(steps);
}

TEST_F(BlockListByClicks, PictureKeyIsHiddenWhileMarkedAndItsPlaceTakesNoClick) {
  ASSERT_TRUE(Start());
  HWND logo = Key(73);
  ASSERT_NE(logo, nullptr);
  const POINT spot = Centre(ScreenRect(logo));
  Click(KeyButton(73));
  ExpectBlockList("91,\r\n");
  ExpectFaces();
  // A click on the picture where the key was changes nothing; the click on
  // "a" after it shows that both were handled.
  ClickAt(spot);
  RunSteps({{KeyButton(41), "65,91,\r\n"}});
}

// The example of the block list format, saved into TEMP folders whose names
// lie outside any 8-bit code page as well as inside.
class BlockListInTemp : public ClickingTheMainWindow,
                        public ::testing::TestWithParam<const wchar_t*> {
 protected:
  BlockListInTemp() : ClickingTheMainWindow(GetParam()) {}
};

TEST_P(BlockListInTemp, HoldsTheMarkedKeysThenTheTickedMouseOptions) {
  ASSERT_TRUE(Start());
  RunSteps({
      {KeyButton(41), "65,\r\n"},                              // a
      {KeyButton(42), "65,83,\r\n"},                           // s
      {Option(ControlId::Check2_), "65,83,513,514,\r\n"},      // "Disable Left Click"
      {Option(ControlId::Check5_), "65,83,513,514,522,\r\n"},  // "Disable Mouse Scroll"
  });
  SaveScreenshot(CurrentTestName());
}

INSTANTIATE_TEST_SUITE_P(Folders, BlockListInTemp,
                         ::testing::Values(L"Temp", L"Zoë\\AppData\\Local\\Temp",
                                           L"Юлия Ёлкина\\Temp", L"Temp with 漢字 and ends\\"));

}  // namespace
}  // namespace tallowmere::test
