#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace tallowmere {

// A top-level window that records the input messages it receives, for
// checking what injected input reached an application.
class InputWindow {
 public:
  struct Received {
    UINT message;
    WPARAM wParam;
    LARGE_INTEGER time;  // QueryPerformanceCounter when it was dispatched
  };

  InputWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    hwnd_ =
        CreateWindowExW(WS_EX_TOPMOST, kClassName, L"Input probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        100, 100, 400, 300, nullptr, nullptr, instance, this);
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
    SetFocus(hwnd_);
    Pump([] { return false; }, 50);
  }
  InputWindow(const InputWindow&) = delete;
  InputWindow& operator=(const InputWindow&) = delete;
  ~InputWindow() { DestroyWindow(hwnd_); }

  HWND Hwnd() const { return hwnd_; }
  const std::vector<Received>& Messages() const { return received_; }
  void Clear() { received_.clear(); }

  POINT Centre() const {
    RECT client;
    GetClientRect(hwnd_, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(hwnd_, &centre);
    return centre;
  }

  // Dispatches messages until `done` holds or the time-out passes; says
  // whether `done` held.
  bool Pump(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (true) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (done()) return true;
      const ULONGLONG now = GetTickCount64();
      if (now >= end) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
  }

  int Count(UINT message) const {
    return static_cast<int>(std::count_if(received_.begin(), received_.end(),
                                          [&](const Received& r) { return r.message == message; }));
  }
  int Count(UINT message, WPARAM wParam) const {
    return static_cast<int>(std::count_if(
        received_.begin(), received_.end(),
        [&](const Received& r) { return r.message == message && r.wParam == wParam; }));
  }
  bool WaitFor(UINT message, WPARAM wParam, DWORD timeoutMs) {
    return Pump([&] { return Count(message, wParam) > 0; }, timeoutMs);
  }
  bool WaitFor(UINT message, DWORD timeoutMs) {
    return Pump([&] { return Count(message) > 0; }, timeoutMs);
  }

 private:
  static constexpr const wchar_t* kClassName = L"TallowmereInputProbe";

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(
          hwnd, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<InputWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
                            (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST))) {
      Received r{message, wParam, {}};
      QueryPerformanceCounter(&r.time);
      self->received_.push_back(r);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  HWND hwnd_;
  std::vector<Received> received_;
};

// True when the system took the key event.
inline bool SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return SendInput(1, &input, sizeof input) == 1;
}

inline void SendKeyPress(WORD vk) {
  SendKey(vk, false);
  SendKey(vk, true);
}

inline void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD mouseData = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  input.mi.mouseData = mouseData;
  SendInput(1, &input, sizeof input);
}

}  // namespace tallowmere
