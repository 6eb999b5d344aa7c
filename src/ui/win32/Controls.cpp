#include "ui/win32/Controls.h"

#include <commctrl.h>

#include "platform/AppError.h"
#include "platform/win32/Gdi.h"
#include "platform/win32/Text.h"
#include "ui/win32/ContainerFrame.h"
#include "ui/win32/KeyPictures.h"
#include "ui/win32/PictureBox.h"
#include "ui/win32/PushButton.h"

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

void Wnd::SetValue(int value) {
  const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
  SendMessageW(hwnd, BM_SETCHECK, state, 0);
}

void Wnd::SetPicture(HBITMAP picture) {
  SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

namespace {

// A container with a caption, drawn as a group box.
struct FrameWnd : Wnd {
  void Create(const CreateArgs& args) override {
    CreateChild(kContainerFrameClass, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, args, &font_);
  }

 private:
  HFONT font_ = nullptr;  // the caption's, kept by the window
};

// Static text. It takes the pointer (SS_NOTIFY), so a move over it does not
// reach the frame beneath.
struct LabelWnd : Wnd {
  void Create(const CreateArgs& args) override {
    CreateChild(L"STATIC", SS_LEFT | SS_NOTIFY | WS_CLIPSIBLINGS, args);
  }
};

// A bitmap stretched to the control's size.
struct PictureWnd : Wnd {
  void Create(const CreateArgs& args) override {
    CreateChild(kPictureBoxClass, WS_CLIPSIBLINGS, args, &picture_);
  }

 private:
  HBITMAP picture_ = nullptr;  // kept by the window
};

// A tick box that never ticks itself: a click only reports, and the window
// shows the value it is given. BS_3STATE shows all three values and leaves
// them to its owner.
struct TickBoxWnd : Wnd {
  void Create(const CreateArgs& args) override {
    CreateChild(L"BUTTON", BS_3STATE | WS_TABSTOP | WS_CLIPSIBLINGS, args);
  }
};

// The program's own push button, which also reports pointer moves.
struct PushButtonWnd : Wnd {
  void Create(const CreateArgs& args) override {
    CreateChild(kPushButtonClass, WS_CLIPSIBLINGS, args, &state_);
  }

 private:
  PushButtonState state_;  // kept by the window
};

// A plain system push button.
struct CommandButtonWnd : Wnd {
  void Create(const CreateArgs& args) override {
    CreateChild(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS, args);
  }
};

}  // namespace

std::unique_ptr<Wnd> MakeControl(ControlKind kind) {
  switch (kind) {
    case ControlKind::Frame:
      return std::make_unique<FrameWnd>();
    case ControlKind::Picture:
      return std::make_unique<PictureWnd>();
    case ControlKind::ActionButton:
      return std::make_unique<PushButtonWnd>();
    case ControlKind::Label:
      return std::make_unique<LabelWnd>();
    case ControlKind::TickBox:
      return std::make_unique<TickBoxWnd>();
    case ControlKind::CommandButton:
      return std::make_unique<CommandButtonWnd>();
    case ControlKind::Window:
      break;
  }
  return nullptr;
}

void KeyButtonWnd::Create(const CreateArgs& args) {
  CreateChild(L"BUTTON", BS_OWNERDRAW | WS_CLIPSIBLINGS, args);
}

void KeyButtonWnd::Draw(const DRAWITEMSTRUCT& item, const KeyFace& face) const {
  const HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, face.back);
  DrawEdge(dc, &r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (pushed) OffsetRect(&r, 1, 1);

  if (face.picture != Picture::None) {
    const bool logo = face.picture == Picture::WindowsLogo;
    const int w = MulDiv(logo ? kWindowsLogoWidth : kMenuSymbolSize, face.dpi, kDefaultDpi);
    const int h = MulDiv(logo ? kWindowsLogoHeight : kMenuSymbolSize, face.dpi, kDefaultDpi);
    const int x = (r.left + r.right - w) / 2, y = (r.top + r.bottom - h) / 2;
    const RECT box{x, y, x + w, y + h};
    if (logo) {
      DrawWindowsLogo(dc, box);
    } else {
      DrawMenuSymbol(dc, box);
    }
  }
  if (!face.caption.empty()) {
    SelectScope font(dc, face.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, face.caption.c_str(), static_cast<int>(face.caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
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
