#include "e2e/support/InputReceiver.h"

#include <stdexcept>

#include "e2e/support/Wait.h"

namespace tallowmere::e2e {
namespace {

constexpr wchar_t kClassName[] = L"TallowmereE2EInputReceiver";

}  // namespace

void InputReceiver::RegisterClassOnce() {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &InputReceiver::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc);
  }();
  if (!atom) throw std::runtime_error("cannot register the receiver's window class");
}

namespace {

bool IsCounted(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

InputReceiver::InputReceiver(const RECT& rect, COLORREF colour) : brush_(CreateSolidBrush(colour)) {
  RegisterClassOnce();
  window_ = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"Input receiver", WS_POPUP | WS_VISIBLE,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!window_) {
    throw std::runtime_error("cannot create the receiver window");
  }
  UpdateWindow(window_);
}

InputReceiver::~InputReceiver() {
  DestroyWindow(window_);
}

bool InputReceiver::BringToFront() {
  SetForegroundWindow(window_);
  SetFocus(window_);
  return WaitFor([this] { return GetForegroundWindow() == window_; });
}

int InputReceiver::Count(UINT message) const {
  const auto it = counts_.find(message);
  return it == counts_.end() ? 0 : it->second;
}

void InputReceiver::Reset() {
  counts_.clear();
  keysDown_.clear();
  lastPress_ = {-1, -1};
}

LRESULT CALLBACK InputReceiver::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<InputReceiver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  try {
    if (self) return self->Handle(window, message, wParam, lParam);
  } catch (...) {
    // Counting failed (out of memory): the message still gets its default.
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT InputReceiver::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsCounted(message)) ++counts_[message];
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      keysDown_.push_back(wParam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      lastPress_ = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush_.get());
      return 1;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace tallowmere::e2e
