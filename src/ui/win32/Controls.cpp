#include "ui/win32/Controls.h"

#include <commctrl.h>

#include "platform/AppError.h"
#include "platform/win32/Text.h"
#include "ui/win32/ContainerFrame.h"
#include "ui/win32/PictureBox.h"

namespace tallowmere {

void Wnd::CreateChild(const wchar_t* className, DWORD style, const CreateArgs& args, void* object) {
  hwnd = CreateWindowExW(0, className, args.text.c_str(), WS_CHILD | WS_VISIBLE | style,
                         args.bounds.left, args.bounds.top, args.bounds.right - args.bounds.left,
                         args.bounds.bottom - args.bounds.top, args.parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                         GetModuleHandleW(nullptr), object);
  if (!hwnd) {
    throw AppError("Cannot create the control \"" + Utf8(args.text) +
                   "\": " + SystemErrorText(GetLastError()));
  }
  if (args.font) SetFont(args.font);
}

void Wnd::SetText(const std::wstring& text) {
  if (Text() != text) SetWindowTextW(hwnd, text.c_str());
}

std::wstring Wnd::Text() const {
  return WindowText(hwnd);
}

void Wnd::SetVisible(bool visible) {
  // The window's own flag: IsWindowVisible also answers for its parents.
  const bool shown = (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown == visible) return;
  ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void Wnd::SetBounds(const RECT& bounds) {
  SetWindowPos(hwnd, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Wnd::SetFont(HFONT font) {
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Wnd::Invalidate() {
  InvalidateRect(hwnd, nullptr, TRUE);
}

void FrameWnd::Create(const CreateArgs& args) {
  CreateChild(kContainerFrameClass, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, args, &font_);
}

void LabelWnd::Create(const CreateArgs& args) {
  CreateChild(L"STATIC", SS_LEFT | SS_NOTIFY | WS_CLIPSIBLINGS, args);
}

void PictureWnd::Create(const CreateArgs& args) {
  CreateChild(kPictureBoxClass, WS_CLIPSIBLINGS, args, &picture_);
}

void PictureWnd::SetPicture(HBITMAP picture) {
  SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

void TickBoxWnd::Create(const CreateArgs& args) {
  // BS_3STATE: a tick box that shows all three values and leaves them to its owner.
  CreateChild(L"BUTTON", BS_3STATE | WS_TABSTOP | WS_CLIPSIBLINGS, args);
}

void TickBoxWnd::SetValue(int value) {
  const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
  SendMessageW(hwnd, BM_SETCHECK, state, 0);
}

void KeyButtonWnd::Create(const CreateArgs& args) {
  CreateChild(L"BUTTON", BS_OWNERDRAW | WS_CLIPSIBLINGS, args);
}

void PushButtonWnd::Create(const CreateArgs& args) {
  CreateChild(kPushButtonClass, WS_CLIPSIBLINGS, args, &state_);
}

void CommandButtonWnd::Create(const CreateArgs& args) {
  CreateChild(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS, args);
}

void ToolTipWnd::Create(HWND owner) {
  hwnd = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) throw AppError("Cannot create the tool tips: " + SystemErrorText(GetLastError()));
}

void ToolTipWnd::Add(HWND tool, const std::wstring& text) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(hwnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void RegisterControlClasses(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterContainerFrameClass(instance);
  RegisterPushButtonClass(instance);
  RegisterPictureBoxClass(instance);
}

}  // namespace tallowmere
