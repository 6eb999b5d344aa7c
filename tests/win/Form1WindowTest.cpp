#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/KeyTable.h"
#include "platform/AppError.h"
#include "platform/win32/Gdi.h"
#include "platform/win32/Text.h"
#include "ui/win32/KeyPictures.h"
#include "win/Form1WindowFixture.h"
#include "win/support/Describe.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

constexpr char kBlockListPath[] = "C:\\Temp\\xsettings.txt";

// The colour on screen at a point of a window's client area.
COLORREF ScreenPixel(HWND hwnd, POINT point) {
  ClientToScreen(hwnd, &point);
  WindowDC screen(nullptr);
  return GetPixel(screen.Get(), point.x, point.y) & 0xFFFFFF;
}

LOGFONTW FontOf(HWND hwnd) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
  GetObjectW(handle, sizeof font, &font);
  return font;
}

void Click(HWND hwnd, int x, int y) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A window of its own for each test. It is shown only for tests that look at
// the screen: under Wine without a window manager, showing and hiding a
// window costs about a second.
class Form1WindowTest : public WithForm1Window<> {
 protected:
  void SetUp() override {
    WithForm1Window::SetUp();
    ASSERT_EQ(window.dpi(), 96) << "the layout is checked at 96 DPI";
  }

  // Shows the window and paints everything that is due.
  void ShowAndSettle() {
    if (!IsWindowVisible(window.hwnd())) window.Show(SW_SHOWNOACTIVATE);
    RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    PumpMessagesFor(50ms);
  }
};

TEST_F(Form1WindowTest, CaptionsFollowTheForm) {
  EXPECT_EQ(Utf8(WindowText(window.hwnd())), "Tallowmere");
  window.form().SetCaption(ControlId::Form1, "Tallowmere 7");
  EXPECT_EQ(Utf8(WindowText(window.hwnd())), "Tallowmere 7");
  window.form().SetCaption(ControlId::PushButton6, "Stop");
  EXPECT_EQ(Utf8(WindowText(Child(ControlId::PushButton6))), "Stop");
  EXPECT_EQ(window.form().Action(ControlId::PushButton6).Caption, "Stop");
}

TEST_F(Form1WindowTest, BackgroundsAreWhiteAndColourChangesShowAtOnce) {
  ShowAndSettle();
  // The window's margin left of the frames, a frame's inside, a tick box
  // beside its text, a label after its text.
  RECT label, tick;
  GetClientRect(Child(ControlId::Label1), &label);
  GetClientRect(Child(ControlId::Check4_), &tick);
  const POINT besideTheTick{tick.right - 1, tick.bottom - 1};
  EXPECT_EQ(ScreenPixel(window.hwnd(), {3, 200}), 0xFFFFFFu);
  EXPECT_EQ(ScreenPixel(Child(ControlId::Frame2), {600, 60}), 0xFFFFFFu);
  EXPECT_EQ(ScreenPixel(Child(ControlId::Label1), {label.right - 1, label.bottom - 1}), 0xFFFFFFu);
  EXPECT_EQ(ScreenPixel(Child(ControlId::Check4_), besideTheTick), 0xFFFFFFu);

  window.form().SetBackColor(ControlId::Frame2, 0x8000000F);
  window.form().SetBackColor(ControlId::Check4_, 0x00FFFF);
  ShowAndSettle();
  EXPECT_EQ(ScreenPixel(Child(ControlId::Frame2), {600, 60}), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ScreenPixel(Child(ControlId::Check4_), besideTheTick), 0x00FFFFu);
}

// Every key button lies on top of the keyboard picture and exactly over the
// picture's drawing of it, which the key uncovers when it hides.
TEST_F(Form1WindowTest, EveryKeyLiesOverItsDrawing) {
  const RECT image = RectInParent(Child(ControlId::Image1));
  for (int index = 0; index <= kLastKeyIndex; ++index) {
    const HWND button = window.cmdKey[index].hwnd;
    const RECT place = RectInParent(button);
    RECT drawing = KeyRectInPicture(index);
    OffsetRect(&drawing, image.left, image.top);
    EXPECT_EQ(Describe(drawing), Describe(place)) << "key " << index;
    EXPECT_EQ(ChildWindowFromPointEx(Child(ControlId::Frame1), Centre(place), CWP_SKIPINVISIBLE),
              button)
        << "key " << index;
  }
}

struct KeyName {
  int index;
  const char* text;
};

// A key button's window text is its caption or, where the caption is a
// picture, its name for screen readers, which the picture keys show as their
// tool tip too.
TEST_F(Form1WindowTest, KeysAreNamedAndPictureKeysShowTheirToolTip) {
  for (const KeyName& key :
       {KeyName{0, "esc"}, KeyName{16, "`"}, KeyName{51, "\" '"}, KeyName{52, "Enter"},
        KeyName{65, "| \\"}, KeyName{96, "ent"}, KeyName{99, "Space"}, KeyName{103, "Rgt"}}) {
    EXPECT_EQ(Utf8(WindowText(window.cmdKey[key.index].hwnd)), key.text);
  }
  const HWND tips = window.keyTips.hwnd;
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 3);
  for (const KeyName& key :
       {KeyName{73, "Windows Key"}, KeyName{74, "Windows Key"}, KeyName{75, "Expand Key"}}) {
    EXPECT_EQ(Utf8(WindowText(window.cmdKey[key.index].hwnd)), key.text);
    wchar_t text[80] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = Child(ControlId::Frame1);
    info.uId = reinterpret_cast<UINT_PTR>(window.cmdKey[key.index].hwnd);
    info.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(Utf8(text), key.text) << "key " << key.index;
  }
}

struct FontCase {
  ControlKind kind;
  const wchar_t* face;
  int height;  // pixels at 96 DPI
  int weight;
};

// ControlKind::Window stands for the key buttons here: the window has no
// font of its own to show.
TEST_F(Form1WindowTest, EveryControlHasTheFontOfItsKind) {
  for (const FontCase& expected : {FontCase{ControlKind::Window, L"Arial Narrow", 11, FW_NORMAL},
                                   FontCase{ControlKind::ActionButton, L"Arial", 15, FW_BOLD},
                                   FontCase{ControlKind::Frame, L"Arial", 12, FW_BOLD},
                                   FontCase{ControlKind::Label, L"Arial", 12, FW_BOLD},
                                   FontCase{ControlKind::TickBox, L"Arial", 12, FW_BOLD},
                                   FontCase{ControlKind::CommandButton, L"Arial", 12, FW_BOLD}}) {
    std::vector<HWND> controls;
    if (expected.kind == ControlKind::Window) {
      for (const KeyButtonWnd& key : window.cmdKey) controls.push_back(key.hwnd);
    }
    for (const ControlDef& def : kControls) {
      if (def.kind == expected.kind) controls.push_back(Child(def.id));
    }
    ASSERT_FALSE(controls.empty());
    for (HWND control : controls) {
      const LOGFONTW font = FontOf(control);
      EXPECT_STREQ(font.lfFaceName, expected.face) << Utf8(WindowText(control));
      EXPECT_EQ(font.lfHeight, -expected.height) << Utf8(WindowText(control));
      EXPECT_EQ(font.lfWeight, expected.weight) << Utf8(WindowText(control));
    }
  }
}

TEST_F(Form1WindowTest, KeyClickTogglesTheFaceAndSaves) {
  const HWND a = window.cmdKey[41].hwnd;
  RECT face;
  GetClientRect(a, &face);
  const POINT inside{4, 4};

  SendMessageW(a, BM_CLICK, 0, 0);
  ShowAndSettle();
  EXPECT_EQ(window.form().cmdKey[41].BackColor, kMarkedColor);
  EXPECT_EQ(fake.files.content[kBlockListPath], "65,\r\n");
  EXPECT_EQ(ScreenPixel(a, inside), 0x00FF00u);

  SendMessageW(a, BM_CLICK, 0, 0);
  ShowAndSettle();
  EXPECT_EQ(window.form().cmdKey[41].BackColor, kUnmarkedColor);
  EXPECT_EQ(fake.files.content[kBlockListPath], "\r\n");
  EXPECT_EQ(ScreenPixel(a, inside), 0xC0C0C0u);
}

TEST_F(Form1WindowTest, SpaceAfterAClickDoesNotClickTheKeyAgain) {
  const HWND a = window.cmdKey[41].hwnd;
  SetFocus(a);
  SendMessageW(a, BM_CLICK, 0, 0);
  const HWND focus = GetFocus();
  EXPECT_EQ(focus, window.hwnd());
  SendMessageW(focus, WM_KEYDOWN, VK_SPACE, 0x00390001);
  SendMessageW(focus, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
  EXPECT_EQ(window.form().cmdKey[41].BackColor, kMarkedColor);
  EXPECT_EQ(fake.files.replaces, 1);
}

TEST_F(Form1WindowTest, LayoutKeepsItsProportionsAtAnotherDpi) {
  RECT suggested;
  GetWindowRect(window.hwnd(), &suggested);
  SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  // At 144 DPI a twip is a tenth of a pixel; halves round up.
  const RECT esc = RectInParent(window.cmdKey[0].hwnd);  // 330, 390, 345 x 285 twips
  EXPECT_EQ(esc.left, 33);
  EXPECT_EQ(esc.top, 39);
  EXPECT_EQ(esc.right, 68);
  EXPECT_EQ(esc.bottom, 68);
  const RECT stop = RectInParent(Child(ControlId::PushButton6));  // 120, 5410, 9600 x 405 twips
  EXPECT_EQ(stop.left, 12);
  EXPECT_EQ(stop.top, 541);
  EXPECT_EQ(stop.right, 972);
  EXPECT_EQ(stop.bottom, 582);
  EXPECT_EQ(FontOf(Child(ControlId::Frame1)).lfHeight, -18);
  EXPECT_EQ(FontOf(Child(ControlId::PushButton6)).lfHeight, -23);
  EXPECT_EQ(FontOf(window.cmdKey[0].hwnd).lfHeight, -17);
}

TEST_F(Form1WindowTest, DoubleClickOnAKeyIsTwoClicks) {
  const HWND a = window.cmdKey[41].hwnd;
  SendMessageW(a, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(a, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(a, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(a, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(window.form().cmdKey[41].BackColor, kUnmarkedColor);
  EXPECT_EQ(fake.files.replaces, 2);
}

TEST_F(Form1WindowTest, MarkedPictureKeyUncoversThePicturesDrawing) {
  const HWND logoKey = window.cmdKey[73].hwnd;
  const RECT place = RectInParent(logoKey);
  SendMessageW(logoKey, BM_CLICK, 0, 0);
  ShowAndSettle();
  EXPECT_FALSE(GetWindowLongPtrW(logoKey, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(fake.files.content[kBlockListPath], "91,\r\n");
  EXPECT_EQ(ChildWindowFromPointEx(Child(ControlId::Frame1), Centre(place), CWP_SKIPINVISIBLE),
            Child(ControlId::Image1));
  // The logo's upper left pane, drawn by the picture where the button was.
  const int x = (place.left + place.right - kWindowsLogoWidth) / 2;
  const int y = (place.top + place.bottom - kWindowsLogoHeight) / 2;
  EXPECT_EQ(ScreenPixel(Child(ControlId::Frame1), {x + 4, y + 4}), RGB(0xF2, 0x50, 0x22));
}

TEST_F(Form1WindowTest, TickBoxShowsTheValueItIsGiven) {
  const HWND scroll = Child(ControlId::Check5_);
  SendMessageW(scroll, BM_CLICK, 0, 0);
  EXPECT_EQ(window.form().Tick(ControlId::Check5_).Value, 1);
  EXPECT_EQ(SendMessageW(scroll, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(fake.files.content[kBlockListPath], "522,\r\n");

  SendMessageW(scroll, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(scroll, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(fake.files.content[kBlockListPath], "\r\n");

  window.form().SetValue(ControlId::Check2_, 2);
  EXPECT_EQ(SendMessageW(Child(ControlId::Check2_), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  window.form().SetValue(ControlId::Check8, 1);
  EXPECT_EQ(SendMessageW(Child(ControlId::Check8), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Form1WindowTest, FailingHandlerIsReportedAndNeverReachesWindows) {
  window.Control(ControlId::PushButton2).onClick = [] { throw AppError("Disk full"); };
  Click(Child(ControlId::PushButton2), 10, 10);
  window.Control(ControlId::PushButton1).onClick = [] { throw 42; };
  Click(Child(ControlId::PushButton1), 10, 10);
  ASSERT_EQ(fake.dialogs.shown.size(), 2u);
  EXPECT_EQ(fake.dialogs.shown[0].text, "Disk full");
  EXPECT_EQ(fake.dialogs.shown[1].text, "Unknown error");
  // The window goes on working.
  SendMessageW(window.cmdKey[0].hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(fake.files.content[kBlockListPath], "27,\r\n");
}

TEST_F(Form1WindowTest, ActionButtonsRunTheirHandlers) {
  RECT r;
  GetClientRect(Child(ControlId::PushButton1), &r);
  Click(Child(ControlId::PushButton1), r.right / 2, r.bottom / 2);
  EXPECT_EQ(window.form().cmdKey[103].BackColor, kMarkedColor);
  EXPECT_FALSE(GetWindowLongPtrW(window.cmdKey[75].hwnd, GWL_STYLE) & WS_VISIBLE);
  Click(Child(ControlId::PushButton2), r.right / 2, r.bottom / 2);
  EXPECT_EQ(window.form().cmdKey[103].BackColor, kUnmarkedColor);
  EXPECT_TRUE(GetWindowLongPtrW(window.cmdKey[75].hwnd, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(fake.files.content[kBlockListPath], "\r\n");
}

TEST_F(Form1WindowTest, PushButtonClicksOnAReleaseOverItAndReportsPointerMoves) {
  int clicks = 0;
  window.Control(ControlId::PushButton1).onClick = [&clicks] { ++clicks; };
  RECT r;
  GetClientRect(Child(ControlId::PushButton1), &r);
  Click(Child(ControlId::PushButton1), r.right / 2, r.bottom / 2);
  EXPECT_EQ(clicks, 1);
  // Pressed on the button, released outside it: no click.
  SendMessageW(Child(ControlId::PushButton1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(Child(ControlId::PushButton1), WM_LBUTTONUP, 0, MAKELPARAM(r.right + 20, 5));
  EXPECT_EQ(clicks, 1);

  std::vector<MouseMoveArgs> moves;
  window.Control(ControlId::PushButton6).onMouseMove = [&moves](const MouseMoveArgs& m) {
    moves.push_back(m);
  };
  SendMessageW(Child(ControlId::PushButton6), WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT,
               MAKELPARAM(30, 7));
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].button, 1);
  EXPECT_EQ(moves[0].shift & 1, 1);
  EXPECT_EQ(moves[0].x, 30);
  EXPECT_EQ(moves[0].y, 7);
}

TEST(KeyboardPicture, DrawsEveryKeyOnTheBody) {
  GdiBitmap picture = CreateKeyboardPicture();
  ASSERT_TRUE(picture);
  BITMAP info{};
  GetObjectW(picture.Get(), sizeof info, &info);
  ASSERT_EQ(info.bmWidth, kKeyboardPictureWidth);
  ASSERT_EQ(info.bmHeight, kKeyboardPictureHeight);
  MemoryDC dc;
  SelectScope select(dc.Get(), picture.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 2, 2), kKeyboardBodyColor);
  for (int i = 0; i <= kLastKeyIndex; ++i) {
    const RECT r = KeyRectInPicture(i);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, kKeyboardPictureWidth);
    EXPECT_LE(r.bottom, kKeyboardPictureHeight);
    // Just inside the cap's rounded edge.
    EXPECT_EQ(GetPixel(dc.Get(), r.left + 2, r.top + 1), kKeyCapColor) << "key " << i;
  }
}

}  // namespace
}  // namespace tallowmere::test
