// Puts a running Tallowmere into the state whose idle CPU use bench/idle-cpu
// measures, the way a user would, and ends it afterwards:
//   idle_driver activate   the main window shown and active
//   idle_driver lock       "Start Disabling" clicked: locking on, window hidden
//   idle_driver tray       the main window minimised: hidden in the tray,
//                          locking off
//   idle_driver close      the main window asked to close
//   idle_driver timer SECONDS
//                          for comparison: a window of its own whose 1 ms
//                          timer asks for the active window at every tick
// Prints what it did; exits with 1 when the state was not reached in time.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string_view>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr std::wstring_view kTitle = L"Tallowmere";
constexpr std::wstring_view kStartCaption = L"Start Disabling";

template <class Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds timeout = 20s) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                      nullptr);
  return text;
}

struct ChildSearch {
  std::wstring_view text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (TextOf(child) == search->text) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

HWND FindChild(HWND parent, std::wstring_view text) {
  ChildSearch search{text};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The main window: a top-level window titled "Tallowmere" that holds the
// locking switch, whatever its caption.
BOOL CALLBACK MatchMain(HWND window, LPARAM param) {
  if (TextOf(window) != kTitle) return TRUE;
  if (!FindChild(window, kStartCaption) && !FindChild(window, L"Stop")) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

HWND FindMainWindow() {
  HWND main = nullptr;
  WaitFor([&] {
    EnumWindows(MatchMain, reinterpret_cast<LPARAM>(&main));
    return main != nullptr;
  });
  return main;
}

void Click(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

int Activate(HWND main) {
  if (!WaitFor([&] { return IsWindowVisible(main) != FALSE; })) {
    std::puts("the main window did not appear");
    return 1;
  }
  SetForegroundWindow(main);
  if (!WaitFor([&] { return GetForegroundWindow() == main; })) {
    std::puts("the main window did not become active");
    return 1;
  }
  std::puts("main window shown and active");
  return 0;
}

int Lock(HWND main) {
  if (Activate(main) != 0) return 1;
  const HWND button = FindChild(main, kStartCaption);
  if (!button) {
    std::puts("no \"Start Disabling\" button");
    return 1;
  }
  RECT r;
  GetWindowRect(button, &r);
  Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  if (!WaitFor([&] { return !IsWindowVisible(main) && TextOf(button) == L"Stop"; })) {
    std::puts("locking did not start");
    return 1;
  }
  std::puts("locking on, main window hidden");
  return 0;
}

int Tray(HWND main) {
  if (Activate(main) != 0) return 1;
  // As the window's minimise button does.
  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  if (!WaitFor([&] { return !IsWindowVisible(main); })) {
    std::puts("the main window did not go to the tray");
    return 1;
  }
  std::puts("main window hidden in the tray, locking off");
  return 0;
}

// What the 1 ms timer saw; a window procedure has nowhere else to keep it.
struct TimerTicks {
  long total = 0;
  long active = 0;
} ticks;

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    ++ticks.total;
    if (GetActiveWindow() == window) ++ticks.active;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int RunTimer(int seconds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TimerWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"IdleDriverTimer";
  RegisterClassW(&wc);
  const HWND window = CreateWindowW(wc.lpszClassName, L"1 ms timer", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                    100, nullptr, nullptr, wc.hInstance, nullptr);
  constexpr UINT_PTR kTick = 1, kEnd = 2;
  SetTimer(window, kTick, 1, nullptr);
  SetTimer(window, kEnd, static_cast<UINT>(seconds) * 1000, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.wParam == kEnd) break;
    DispatchMessageW(&message);
  }
  DestroyWindow(window);
  std::printf("1 ms timer: %ld ticks in %d s\n", ticks.total, seconds);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring_view command = argc > 1 ? argv[1] : L"";
  if (command == L"timer" && argc > 2) return RunTimer(_wtoi(argv[2]));
  if (command != L"activate" && command != L"lock" && command != L"tray" && command != L"close") {
    std::puts("usage: idle_driver activate|lock|tray|close|timer SECONDS");
    return 2;
  }
  const HWND main = FindMainWindow();
  if (!main) {
    std::puts("no Tallowmere main window");
    return 1;
  }
  if (command == L"activate") return Activate(main);
  if (command == L"lock") return Lock(main);
  if (command == L"tray") return Tray(main);
  PostMessageW(main, WM_CLOSE, 0, 0);
  std::puts("asked to close");
  return 0;
}
