#include "win/support/InputReceiver.h"

#include <algorithm>
#include <stdexcept>

#include "win/support/Input.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

constexpr wchar_t kClassName[] = L"TallowmereTestInputReceiver";

void RegisterClassOnce(WNDPROC procedure) {
  static const ATOM atom = [&] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc);
  }();
  if (!atom) throw std::runtime_error("cannot register the receiver's window class");
}

bool IsRecorded(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

InputReceiver::InputReceiver(const RECT& rect, COLORREF colour) : brush_(CreateSolidBrush(colour)) {
  RegisterClassOnce(&InputReceiver::Procedure);
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

POINT InputReceiver::Centre() const {
  return test::Centre(ClientScreenRect(window_));
}

bool InputReceiver::BringToFront() {
  SetForegroundWindow(window_);
  SetFocus(window_);
  return test::WaitFor([this] { return GetForegroundWindow() == window_; });
}

int InputReceiver::Count(UINT message) const {
  return static_cast<int>(std::count_if(received_.begin(), received_.end(),
                                        [&](const Received& r) { return r.message == message; }));
}

int InputReceiver::Count(UINT message, WPARAM wParam) const {
  return static_cast<int>(std::count_if(received_.begin(), received_.end(), [&](const Received& r) {
    return r.message == message && r.wParam == wParam;
  }));
}

bool InputReceiver::WaitFor(UINT message, std::chrono::milliseconds timeout) {
  return test::WaitFor([&] { return Count(message) > 0; }, timeout);
}

bool InputReceiver::WaitFor(UINT message, WPARAM wParam, std::chrono::milliseconds timeout) {
  return test::WaitFor([&] { return Count(message, wParam) > 0; }, timeout);
}

std::vector<WPARAM> InputReceiver::KeysDown() const {
  std::vector<WPARAM> keys;
  for (const Received& r : received_) {
    if (r.message == WM_KEYDOWN || r.message == WM_SYSKEYDOWN) keys.push_back(r.wParam);
  }
  return keys;
}

std::vector<WPARAM> InputReceiver::KeysArriving(std::initializer_list<WORD> keys) {
  Reset();
  if (!BringToFront()) throw std::runtime_error("the receiving window does not come to the front");
  for (const WORD key : keys) TapKey(key);
  WaitFor(WM_KEYUP, *(keys.end() - 1));
  return KeysDown();
}

void InputReceiver::Reset() {
  received_.clear();
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
    // Recording failed (out of memory): the message still gets its default.
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT InputReceiver::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsRecorded(message)) {
    Received r{message, wParam, {}};
    QueryPerformanceCounter(&r.time);
    received_.push_back(r);
  }
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      lastPress_ = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush_.Get());
      return 1;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace tallowmere::test
