// Blocking across processes, as users meet it: hook_host holds the hooks,
// this process owns the window that injected input is meant for.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Files.h"
#include "win/support/HookHost.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"
#include "win/support/TestFolder.h"

namespace tallowmere::test {
namespace {

class HookEndToEnd : public ::testing::Test {
 protected:
  // One window for the suite: without a window manager, closing a window
  // keeps its program waiting for about two seconds.
  static void SetUpTestSuite() { window_ = new InputReceiver; }
  static void TearDownTestSuite() {
    delete window_;
    window_ = nullptr;
  }

  void SetUp() override {
    WriteList("65,513,514,\r\n");
    host_ = std::make_unique<HookHost>(L"hooks", temp_.Path());
    ASSERT_EQ(host_->Error(), L"");
    ASSERT_TRUE(window_->BringToFront());
  }

  void WriteList(const std::string& content) {
    Win32Files().Replace(Utf8(temp_.File(L"xsettings.txt")), content);
  }

  // Presses and releases each key, then the sentinel key, and waits until the
  // sentinel's release arrives: every key before it has been decided by then.
  void PressKeys(std::initializer_list<WORD> keys, WORD sentinel) {
    window_->Reset();
    for (WORD key : keys) TapKey(key);
    TapKey(sentinel);
    ASSERT_TRUE(window_->WaitFor(WM_KEYUP, sentinel)) << "the sentinel key never arrived";
  }
  bool Arrived(WORD key) const {
    return window_->Count(WM_KEYDOWN, key) == 1 && window_->Count(WM_KEYUP, key) == 1;
  }
  bool Swallowed(WORD key) const {
    return window_->Count(WM_KEYDOWN, key) == 0 && window_->Count(WM_KEYUP, key) == 0;
  }

  // A left click and a right click, then the wheel as the sentinel.
  void ClickBothAndScroll() {
    window_->Reset();
    ClickAt(window_->Centre(), MouseButton::Left);
    ClickAt(window_->Centre(), MouseButton::Right);
    TurnWheel(-1);
    ASSERT_TRUE(window_->WaitFor(WM_MOUSEWHEEL)) << "the wheel never arrived";
  }
  // The left presses and releases, the right ones and the wheel's turns that
  // arrived.
  std::vector<int> MouseArrived() const {
    std::vector<int> counts;
    for (const UINT message :
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL}) {
      counts.push_back(window_->Count(message));
    }
    return counts;
  }

  static inline InputReceiver* window_ = nullptr;
  TestFolder temp_;
  std::unique_ptr<HookHost> host_;
};

TEST_F(HookEndToEnd, ListedKeyIsSwallowedGoingDownAndUpAndOthersArrive) {
  PressKeys({'A', 'B'}, 'C');
  EXPECT_TRUE(Swallowed('A'));
  EXPECT_TRUE(Arrived('B'));
}

TEST_F(HookEndToEnd, LeftClicksAreSwallowedRightClicksAndTheWheelArrive) {
  ClickBothAndScroll();
  EXPECT_EQ(MouseArrived(), (std::vector<int>{0, 0, 1, 1, 1}));
}

TEST_F(HookEndToEnd, EditingTheListChangesWhatTheNextEventMeets) {
  PressKeys({'A', 'B'}, 'C');
  ASSERT_TRUE(Swallowed('A'));
  WriteList("66,516,517,\r\n");
  PressKeys({'A', 'B'}, 'C');
  EXPECT_TRUE(Arrived('A'));
  EXPECT_TRUE(Swallowed('B'));
  ClickBothAndScroll();
  EXPECT_EQ(MouseArrived(), (std::vector<int>{1, 1, 0, 0, 1}));
}

TEST_F(HookEndToEnd, AfterRemovalEverythingArrives) {
  host_->RemoveHooks();
  ASSERT_EQ(host_->Error(), L"");
  PressKeys({'A', 'B'}, 'C');
  EXPECT_TRUE(Arrived('A'));
  EXPECT_TRUE(Arrived('B'));
  ClickBothAndScroll();
  EXPECT_EQ(MouseArrived(), (std::vector<int>{1, 1, 1, 1, 1}));
}

}  // namespace
}  // namespace tallowmere::test
