#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Pictures.h"
#include "win/Form1WindowFixture.h"
#include "win/support/TallowmereBuild.h"

namespace tallowmere::test {
namespace {

// A move of the pointer as a child window tells it to the main window: the
// child passes WM_SETCURSOR up through its parents.
void MoveOver(HWND child, UINT hitTest = HTCLIENT, UINT mouseMessage = WM_MOUSEMOVE) {
  SendMessageW(child, WM_SETCURSOR, reinterpret_cast<WPARAM>(child),
               MAKELPARAM(hitTest, mouseMessage));
}

// The action buttons report a move themselves.
void MoveOverActionButton(HWND button) {
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  MoveOver(button);
}

class HoverPointer : public WithForm1Window<> {
 protected:
  void SetUp() override {
    WithForm1Window::SetUp();
    hand = pictures.LoadPicture(Utf8(TestProgramFolder() / L"HAND-M.CUR"));
    window.form().SetMouseIcon(hand);
  }

  // The cursor the window set last on this thread.
  bool ShowsHand() const { return GetCursor() == reinterpret_cast<HCURSOR>(hand->Handle()); }
  bool ShowsArrow() const { return GetCursor() == LoadCursorW(nullptr, IDC_ARROW); }
  int Setting() { return window.form().MousePointer; }

  Win32Pictures pictures;
  std::shared_ptr<const PictureObject> hand;
};

TEST_F(HoverPointer, FrameToKeyAndBack) {
  MoveOver(Child(ControlId::Frame1));
  EXPECT_EQ(Setting(), kPointerDefault);
  EXPECT_TRUE(ShowsArrow());
  MoveOver(window.cmdKey[41].hwnd);
  EXPECT_EQ(Setting(), kPointerCustom);
  EXPECT_TRUE(ShowsHand());
  MoveOver(Child(ControlId::Frame1));
  EXPECT_EQ(Setting(), kPointerDefault);
  EXPECT_TRUE(ShowsArrow());
}

TEST_F(HoverPointer, ActionButtonThenLabelKeepsTheHand) {
  MoveOverActionButton(Child(ControlId::PushButton2));
  EXPECT_EQ(Setting(), kPointerCustom);
  EXPECT_TRUE(ShowsHand());
  MoveOver(Child(ControlId::Label2));
  EXPECT_EQ(Setting(), kPointerCustom);
  EXPECT_TRUE(ShowsHand());
}

TEST_F(HoverPointer, TickBoxAfterTheMouseFrameKeepsTheArrow) {
  MoveOver(window.cmdKey[0].hwnd);
  MoveOver(Child(ControlId::Frame2));
  MoveOver(Child(ControlId::Check3_));
  EXPECT_EQ(Setting(), kPointerDefault);
  EXPECT_TRUE(ShowsArrow());
}

TEST_F(HoverPointer, BackgroundAndKeyboardPictureGiveTheArrow) {
  for (HWND arrowSource : {window.hwnd(), Child(ControlId::Image1), Child(ControlId::Frame3)}) {
    MoveOver(window.cmdKey[10].hwnd);
    MoveOver(arrowSource);
    EXPECT_EQ(Setting(), kPointerDefault);
    EXPECT_TRUE(ShowsArrow());
  }
}

TEST_F(HoverPointer, EveryActionButtonGivesTheHandAlsoWhileLocking) {
  window.form().Action(ControlId::PushButton6).Caption = "Stop";
  for (HWND button : {Child(ControlId::PushButton1), Child(ControlId::PushButton2),
                      Child(ControlId::PushButton6)}) {
    MoveOver(Child(ControlId::Frame1));
    MoveOverActionButton(button);
    EXPECT_EQ(Setting(), kPointerCustom);
  }
}

TEST_F(HoverPointer, OnlyMovesInTheClientAreaCount) {
  MoveOver(Child(ControlId::Frame1));
  MoveOver(window.cmdKey[41].hwnd, HTCLIENT, WM_LBUTTONDOWN);
  EXPECT_EQ(Setting(), kPointerDefault);
  MoveOver(window.hwnd(), HTCAPTION);
  MoveOver(window.cmdKey[41].hwnd);
  MoveOver(window.hwnd(), HTCAPTION);
  EXPECT_EQ(Setting(), kPointerCustom);
}

TEST_F(HoverPointer, WithoutAPointerFileTheCustomSettingShowsTheArrow) {
  window.form().SetMouseIcon(nullptr);
  MoveOver(window.cmdKey[41].hwnd);
  EXPECT_EQ(Setting(), kPointerCustom);
  EXPECT_TRUE(ShowsArrow());
}

}  // namespace
}  // namespace tallowmere::test
