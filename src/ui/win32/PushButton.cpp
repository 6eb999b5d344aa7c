#include "ui/win32/PushButton.h"

#include <windowsx.h>

#include <string>

#include "platform/win32/Gdi.h"
#include "platform/win32/Text.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/WindowObject.h"

namespace tallowmere {

namespace {

// One button's window and state, for the handling of one message.
class PushButton {
 public:
  PushButton(HWND hwnd, PushButtonState& state) : hwnd_(hwnd), state_(state) {}

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_SETFONT:
        state_.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
      case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state_.font);
      case WM_SETTEXT:
      case WM_ENABLE: {
        const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return result;
      }
      case WM_LBUTTONDOWN:
        OnButtonDown();
        return 0;
      case WM_MOUSEMOVE:
        OnMouseMove(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
      case WM_LBUTTONUP:
        OnButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
      case WM_CAPTURECHANGED:
        state_.held = false;
        SetPushed(false);
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        OnPaint();
        return 0;
      default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
  }

 private:
  bool Inside(int x, int y) const {
    RECT client;
    GetClientRect(hwnd_, &client);
    const POINT p{x, y};
    return PtInRect(&client, p) != 0;
  }

  void SetPushed(bool pushed) {
    if (pushed == state_.pushed) return;
    state_.pushed = pushed;
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  void OnButtonDown() {
    SetCapture(hwnd_);
    state_.held = true;
    SetPushed(true);
  }

  void OnMouseMove(WPARAM keys, int x, int y) {
    if (state_.held) SetPushed(Inside(x, y));
    PushButtonMouseMoveInfo info{};
    info.header.hwndFrom = hwnd_;
    info.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    info.header.code = kPushButtonMouseMove;
    info.button = ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                  ((keys & MK_MBUTTON) ? 4 : 0);
    info.shift = ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                 ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
    info.x = x;
    info.y = y;
    SendMessageW(GetParent(hwnd_), WM_NOTIFY, info.header.idFrom, reinterpret_cast<LPARAM>(&info));
  }

  void OnButtonUp(int x, int y) {
    if (!state_.held) return;
    const bool click = Inside(x, y);
    ReleaseCapture();
    if (click) {
      const int id = GetDlgCtrlID(hwnd_);
      SendMessageW(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd_));
    }
  }

  void OnPaint() {
    PaintDC paint(hwnd_);
    HDC dc = paint.Get();
    RECT r;
    GetClientRect(hwnd_, &r);
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (state_.pushed ? DFCS_PUSHED : 0));

    const std::wstring caption = WindowText(hwnd_);
    if (state_.pushed) OffsetRect(&r, 1, 1);
    SelectScope font(dc, state_.font ? state_.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd_) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }

  HWND hwnd_;
  PushButtonState& state_;
};

LRESULT CALLBACK PushButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = WindowObject<PushButtonState>(hwnd, message, lParam);
  return state ? PushButton(hwnd, *state).HandleMessage(message, wParam, lParam)
               : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterPushButtonClass(HINSTANCE instance) {
  RegisterWindowClass(
      instance,
      {.name = kPushButtonClass, .procedure = PushButtonProc, .style = CS_HREDRAW | CS_VREDRAW});
}

}  // namespace tallowmere
