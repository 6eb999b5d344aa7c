#include "ui/win32/Form1Window.h"

#include <utility>

#include "platform/AppError.h"
#include "platform/win32/EscapedFailure.h"
#include "platform/win32/IconPicture.h"
#include "platform/win32/Text.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/WindowObject.h"
#include "shell/Main.h"
#include "ui/win32/KeyPictures.h"
#include "ui/win32/PushButton.h"

namespace tallowmere {

namespace {

constexpr const wchar_t* kWindowClass = Form1Window::kClassName;
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = 0;

// Fonts in hundredths of a point.
constexpr int kWindowFontSize = 900;
constexpr int kActionFontSize = 1125;
constexpr int kKeyFontSize = 825;

// A window timer's id by the form's timer; 0 is no timer's.
UINT_PTR TimerIdOf(TimerId id) {
  return static_cast<UINT_PTR>(id) + 1;
}
constexpr TimerId kTimers[] = {TimerId::Timer1, TimerId::LockingTimer};
// Posted on every WM_ACTIVATE: while that message is delivered, a window that
// is losing activation is still the active window, so the poll's rule is
// applied only once the change is complete.
constexpr UINT kActivationSettled = WM_APP + 1;

// The space bar shows no caption; screen readers still need its name.
constexpr char kSpaceBarName[] = "Space";

ControlKind KindOf(ControlId id) {
  return id == ControlId::Form1 ? ControlKind::Window : Definition(id).kind;
}

// Colours are 0xBBGGRR, the layout of a COLORREF; with the high bit set, the
// low byte names a system colour.
COLORREF ToColorRef(std::uint32_t color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0xFFFFFFu);
}

std::string KeyWindowText(const KeyButton& key) {
  if (!key.ToolTipText.empty()) return key.ToolTipText;
  if (key.Caption.empty()) return kSpaceBarName;
  return key.Caption;
}

}  // namespace

Form1Window::Form1Window(Platform& platform) : platform_(platform), form_(platform, *this) {
  for (std::size_t i = 0; i < kControls.size(); ++i) controls_[i] = MakeControl(kControls[i].kind);
}

Form1Window::~Form1Window() {
  if (hwnd_) DestroyWindow(hwnd_);
}

UINT Form1Window::AnotherStartMessage() {
  static const UINT message = RegisterWindowMessageW(L"Tallowmere: another start");
  return message;
}

void Form1Window::Create() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterControlClasses(instance);
  RegisterWindowClass(
      instance,
      {.name = kWindowClass, .procedure = WindowProc, .icon = LoadIconW(nullptr, IDI_APPLICATION)});
  // The window procedure keeps the handle in hwnd_ from the first message on.
  if (!CreateWindowExW(kWindowExStyle, kWindowClass, Wide(form_.Caption).c_str(), kWindowStyle,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                       instance, this)) {
    throw AppError(SystemErrorText(GetLastError()));
  }
  dpi_ = WindowDpi(hwnd_);
  CreateFonts();
  CreateControls();
  WireEvents();
  SizeWindow();
  for (const TimerId timer : kTimers) TimerChanged(timer);
  // The poll's rule from the first message on, whether or not the window is
  // ever activated.
  PostMessageW(hwnd_, kActivationSettled, 0, 0);

  // Centred on the work area of the screen the window starts on.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT window;
  GetWindowRect(hwnd_, &window);
  const RECT& area = monitor.rcWork;
  const int width = window.right - window.left, height = window.bottom - window.top;
  SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Without this, Windows holds back another start's message when this copy
  // runs as administrator and the other start does not.
  ChangeWindowMessageFilterEx(hwnd_, AnotherStartMessage(), MSGFLT_ALLOW, nullptr);
}

void Form1Window::Show(int showCommand) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
}

void Form1Window::CreateControls() {
  for (const ControlDef& def : kControls) {
    const HWND parent = def.container == ControlId::Form1 ? hwnd_ : Control(def.container).hwnd;
    Control(def.id).Create({.parent = parent,
                            .id = kFirstControlId + static_cast<int>(def.id),
                            .text = Wide(std::string(def.caption)),
                            .bounds = PlaceOf(def),
                            .font = FontOf(def)});
  }
  for (int i = 0; i <= kLastKeyIndex; ++i) {
    cmdKey[i].Create({.parent = Control(ControlId::Frame1).hwnd,
                      .id = kFirstKeyId + i,
                      .text = Wide(KeyWindowText(form_.cmdKey[i])),
                      .bounds = PlaceOf(kKeyTable[i]),
                      .font = keyFont_.Get()});
  }
  keyTips.Create(hwnd_);
  for (int i = 0; i <= kLastKeyIndex; ++i) {
    const std::string& tip = form_.cmdKey[i].ToolTipText;
    if (!tip.empty()) keyTips.Add(cmdKey[i].hwnd, Wide(tip));
  }
  // The keyboard picture lies beneath the key buttons, so the keys take the
  // clicks and a hidden key uncovers the picture's drawing of it.
  Wnd& image = Control(ControlId::Image1);
  SetWindowPos(image.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  keyboardPicture_ = CreateKeyboardPicture();
  image.SetPicture(keyboardPicture_.Get());
}

void Form1Window::WireEvents() {
  for (int i = 0; i <= kLastKeyIndex; ++i) {
    cmdKey[i].onClick = [this, i] { form_.cmdKey_Click(static_cast<std::int16_t>(i)); };
  }
  for (const ControlDef& def : kControls) {
    const ControlId id = def.id;
    if (def.kind == ControlKind::TickBox) {
      Control(id).onClick = [this, id] { form_.TickBoxClicked(id); };
    } else if (def.kind == ControlKind::ActionButton) {
      Control(id).onMouseMove = [this, id](const MouseMoveArgs&) { form_.MouseMove(id); };
    }
  }
  Control(ControlId::Check1).onClick = [this] { form_.Check1_Click(); };
  Control(ControlId::PushButton1).onClick = [this] { form_.PushButton1_Click(); };
  Control(ControlId::PushButton2).onClick = [this] { form_.PushButton2_Click(); };
  Control(ControlId::PushButton6).onClick = [this] { form_.PushButton6_Click(); };
}

// Every control is created where it belongs and with its font, so a start
// places nothing twice; Layout moves them all when the DPI changes.
void Form1Window::CreateFonts() {
  windowFont_ = CreatePointFont(L"Arial", kWindowFontSize, true, dpi_);
  actionFont_ = CreatePointFont(L"Arial", kActionFontSize, true, dpi_);
  keyFont_ = CreatePointFont(L"Arial Narrow", kKeyFontSize, false, dpi_);
}

RECT Form1Window::PlaceOf(const ControlDef& def) const {
  return TwipsRect(def.left, def.top, def.width, def.height, dpi_);
}

RECT Form1Window::PlaceOf(const KeyDef& key) const {
  return TwipsRect(key.left, key.top, key.width, key.height, dpi_);
}

HFONT Form1Window::FontOf(const ControlDef& def) const {
  return def.kind == ControlKind::ActionButton ? actionFont_.Get() : windowFont_.Get();
}

void Form1Window::Layout() {
  // The old fonts go only once no control uses them.
  GdiFont oldWindowFont = std::move(windowFont_), oldActionFont = std::move(actionFont_),
          oldKeyFont = std::move(keyFont_);
  CreateFonts();
  for (const ControlDef& def : kControls) {
    Wnd& control = Control(def.id);
    control.SetBounds(PlaceOf(def));
    control.SetFont(FontOf(def));
  }
  for (int i = 0; i <= kLastKeyIndex; ++i) {
    cmdKey[i].SetBounds(PlaceOf(kKeyTable[i]));
    cmdKey[i].SetFont(keyFont_.Get());
  }
  SizeWindow();
}

void Form1Window::SizeWindow() {
  const SIZE client{TwipsToPixels(kClientWidthTwips, dpi_),
                    TwipsToPixels(kClientHeightTwips, dpi_)};
  const SIZE window = WindowSizeForClient(client, kWindowStyle, kWindowExStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, window.cx, window.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Wnd& Form1Window::Control(ControlId id) {
  // kControls follows ControlId from its second value on; at() refuses
  // ControlId::Form1 and ControlId::End.
  return *controls_.at(static_cast<std::size_t>(id) - 1);
}

void Form1Window::KeyChanged(int index) {
  cmdKey[index].SetVisible(form_.cmdKey[index].Visible);
  InvalidateRect(cmdKey[index].hwnd, nullptr, FALSE);
}

void Form1Window::ControlChanged(ControlId id) {
  switch (KindOf(id)) {
    case ControlKind::Window:
      SetWindowTextW(hwnd_, Wide(form_.Caption).c_str());
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case ControlKind::TickBox: {
      const TickBox& state = form_.Tick(id);
      Wnd& box = Control(id);
      box.SetText(Wide(state.Caption));
      box.SetValue(state.Value);
      box.SetVisible(state.Visible);
      box.Invalidate();
      break;
    }
    case ControlKind::ActionButton:
      Control(id).SetText(Wide(form_.Action(id).Caption));
      break;
    case ControlKind::Frame:
    case ControlKind::Label:
      Control(id).SetText(Wide(form_.Plain(id).Caption));
      Control(id).Invalidate();
      break;
    case ControlKind::Picture:
    case ControlKind::CommandButton:
      break;
  }
}

void Form1Window::VisibleChanged() {
  const bool shown = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown == form_.Visible) return;
  if (!form_.Visible) {
    ShowWindow(hwnd_, SW_HIDE);
  } else if (IsIconic(hwnd_) && form_.WindowState == kNormalWindow) {
    // Set back to normal while hidden: it comes back in its normal size.
    ShowWindow(hwnd_, SW_RESTORE);
  } else {
    ShowWindow(hwnd_, SW_SHOW);
  }
}

void Form1Window::WindowStateChanged() {
  // A hidden window cannot change its state without showing itself; it takes
  // the state when it is shown again.
  if (!IsWindowVisible(hwnd_)) return;
  ShowWindow(hwnd_, form_.WindowState == kMinimizedWindow ? SW_MINIMIZE : SW_RESTORE);
}

void Form1Window::IconChanged() {
  const auto icon = form_.Icon ? static_cast<LPARAM>(form_.Icon->Handle()) : static_cast<LPARAM>(0);
  // Alt+Tab and the taskbar show the big icon: the icon's own large image,
  // not its small one stretched.
  const auto* sizes = dynamic_cast<const IconPicture*>(form_.Icon.get());
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, icon);
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG,
               sizes ? reinterpret_cast<LPARAM>(sizes->Large()) : icon);
}

void Form1Window::MousePointerChanged() {
  // The new setting shows at once when the pointer is over the window, not
  // only at the next move.
  POINT at;
  if (!GetCursorPos(&at)) return;
  const HWND under = WindowFromPoint(at);
  if (under == hwnd_ || IsChild(hwnd_, under)) SetCursor(PointerCursor());
}

HCURSOR Form1Window::PointerCursor() const {
  if (form_.MousePointer == kPointerCustom && form_.MouseIcon) {
    return reinterpret_cast<HCURSOR>(form_.MouseIcon->Handle());
  }
  return LoadCursorW(nullptr, IDC_ARROW);
}

void Form1Window::TakeFocus() {
  SetForegroundWindow(hwnd_);
  SetFocus(hwnd_);
}

void Form1Window::CloseWindow() {
  DestroyWindow(hwnd_);
}

void Form1Window::TimerChanged(TimerId id) {
  const Timer& timer = form_.TimerOf(id);
  if (timer.Enabled) {
    SetTimer(hwnd_, TimerIdOf(id), static_cast<UINT>(timer.Interval), nullptr);
  } else {
    KillTimer(hwnd_, TimerIdOf(id));
  }
}

LRESULT CALLBACK Form1Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<Form1Window>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->hwnd_ = hwnd;
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ReportEscapedFailure(self->platform_.dialogs, ApplicationTitle());
  }
  return 0;
}

LRESULT Form1Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == AnotherStartMessage() && message != 0) {
    form_.cSysTray1_MouseUp(kLeftButton, 0);
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam))) return TRUE;
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_SIZE:
      OnSize(wParam);
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_ACTIVATE:
      PostMessageW(hwnd_, kActivationSettled, 0, 0);
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case kActivationSettled:
      form_.ActivationChanged();
      return 0;
    case WM_SHOWWINDOW:
      // Others (the tray, the system) show and hide the window too.
      form_.Visible = wParam != 0;
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY: {
      const HWND ending = std::exchange(hwnd_, nullptr);
      return DefWindowProcW(ending, message, wParam, lParam);
    }
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void Form1Window::OnCommand(int id, int code) {
  // An owner-drawn button reports the second click of a double click as
  // BN_DOUBLECLICKED; for the user it is one more click.
  if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return;
  // A clicked button keeps the keyboard focus, and a focused button or tick
  // box clicks itself on Space: the press that marks the space bar would
  // toggle it as well. The window takes the focus back; the key capture poll
  // reads the keyboard without it.
  const HWND focus = GetFocus();
  if (focus && IsChild(hwnd_, focus)) SetFocus(hwnd_);
  Wnd* control = FindChild(id);
  if (control && control->onClick) control->onClick();
}

LRESULT Form1Window::OnNotify(const NMHDR& header) {
  if (header.code != kPushButtonMouseMove) return 0;
  Wnd* button = FindChild(static_cast<int>(header.idFrom));
  if (!button || !button->onMouseMove) return 0;
  const auto& info = reinterpret_cast<const PushButtonMouseMoveInfo&>(header);
  button->onMouseMove({.button = info.button, .shift = info.shift, .x = info.x, .y = info.y});
  return 0;
}

// Every child without a pointer of its own passes WM_SETCURSOR up to this
// window, naming the child under the pointer.
bool Form1Window::OnSetCursor(HWND under, UINT hitTest, UINT mouseMessage) {
  if (hitTest != HTCLIENT) return false;
  if (mouseMessage == WM_MOUSEMOVE) MouseMovedOver(under);
  SetCursor(PointerCursor());
  return true;
}

// The mouse-move event of the control under the pointer, or of the window
// over its background. The action buttons report their moves themselves.
void Form1Window::MouseMovedOver(HWND under) {
  if (under == hwnd_) return form_.MouseMove(ControlId::Form1);
  const int id = GetDlgCtrlID(under);
  Wnd* control = FindChild(id);
  if (!control || control->hwnd != under) return;
  if (id >= kFirstKeyId) {
    form_.cmdKey_MouseMove(static_cast<std::int16_t>(id - kFirstKeyId));
  } else if (const auto controlId = static_cast<ControlId>(id - kFirstControlId);
             KindOf(controlId) != ControlKind::ActionButton) {
    form_.MouseMove(controlId);
  }
}

void Form1Window::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const int index = static_cast<int>(item.CtlID) - kFirstKeyId;
  if (item.CtlType != ODT_BUTTON || index < 0 || index > kLastKeyIndex) return;
  const KeyButton& key = form_.cmdKey[index];
  cmdKey[index].Draw(item, {.back = Brush(ToColorRef(key.BackColor)),
                            .picture = kKeyTable[index].picture,
                            .caption = Wide(key.Caption),
                            .font = keyFont_.Get(),
                            .dpi = dpi_});
}

LRESULT Form1Window::OnCtlColor(HDC dc, HWND control) {
  const COLORREF color = ToColorRef(BackColorOf(control));
  SetBkColor(dc, color);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(Brush(color));
}

std::uint32_t Form1Window::BackColorOf(HWND control) {
  const int id = GetDlgCtrlID(control) - kFirstControlId;
  if (id <= static_cast<int>(ControlId::Form1) || id >= static_cast<int>(ControlId::End)) {
    return form_.BackColor;
  }
  const auto controlId = static_cast<ControlId>(id);
  switch (KindOf(controlId)) {
    case ControlKind::TickBox:
      return form_.Tick(controlId).BackColor;
    case ControlKind::Frame:
    case ControlKind::Label:
      return form_.Plain(controlId).BackColor;
    default:
      return form_.BackColor;
  }
}

void Form1Window::OnEraseBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, Brush(ToColorRef(form_.BackColor)));
}

void Form1Window::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  Layout();
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::OnTimer(UINT_PTR id) {
  for (const TimerId timer : kTimers) {
    if (id == TimerIdOf(timer)) form_.TimerTick(timer);
  }
}

void Form1Window::OnSize(WPARAM sizeType) {
  form_.WindowState = sizeType == SIZE_MINIMIZED ? kMinimizedWindow : kNormalWindow;
  form_.Form_Resize();
}

void Form1Window::OnClose() {
  try {
    form_.Form_Unload();
  } catch (...) {
    ReportEscapedFailure(platform_.dialogs, ApplicationTitle());
  }
  // Closing the main window ends the program, even when a step of the
  // unload failed.
  platform_.process.End();
}

void Form1Window::OnDestroy() {
  for (const TimerId timer : kTimers) KillTimer(hwnd_, TimerIdOf(timer));
  if (onDestroyed) onDestroyed();
}

Wnd* Form1Window::FindChild(int id) {
  if (id >= kFirstKeyId && id <= kFirstKeyId + kLastKeyIndex) return &cmdKey[id - kFirstKeyId];
  const int control = id - kFirstControlId;
  if (control <= static_cast<int>(ControlId::Form1) ||
      control >= static_cast<int>(ControlId::End)) {
    return nullptr;
  }
  return &Control(static_cast<ControlId>(control));
}

HBRUSH Form1Window::Brush(COLORREF color) {
  auto it = brushes_.find(color);
  if (it == brushes_.end()) it = brushes_.emplace(color, GdiBrush(CreateSolidBrush(color))).first;
  return it->second.Get();
}

}  // namespace tallowmere
