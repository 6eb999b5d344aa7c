#include "win/support/Input.h"

#include <stdexcept>

#include "platform/win32/Text.h"
#include "win/support/Wait.h"

namespace tallowmere::test {
namespace {

void Send(INPUT input) {
  if (SendInput(1, &input, sizeof input) != 1) throw std::runtime_error("SendInput refused");
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0, ULONG_PTR tag = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.mouseData = data;
  input.mi.dwFlags = flags;
  input.mi.dwExtraInfo = tag;
  return input;
}

bool IsExtendedKey(WORD virtualKey) {
  switch (virtualKey) {
    case VK_RMENU:
    case VK_RCONTROL:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_NUMLOCK:
    case VK_DIVIDE:
    case VK_SNAPSHOT:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(WORD virtualKey, bool up, ULONG_PTR tag) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags =
      (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
  input.ki.dwExtraInfo = tag;
  return input;
}

}  // namespace

// Whether the foreground thread holds the mouse capture, as a button does
// from its press until it has handled the release.
bool ForegroundHoldsCapture() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(0, &info) && info.hwndCapture != nullptr;
}

void ClickAt(POINT screen, MouseButton button) {
  // Windows routes a press to the window holding the capture, wherever the
  // pointer is: a click sent before the last one was handled would land on
  // the last one's target.
  if (!WaitFor([] { return !ForegroundHoldsCapture(); })) {
    throw std::runtime_error("a window keeps the mouse capture");
  }
  // With a low-level mouse hook installed anywhere, injected moves do not
  // move the X pointer under Wine; SetCursorPos does.
  if (!SetCursorPos(screen.x, screen.y)) throw std::runtime_error("SetCursorPos refused");
  DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
  if (button == MouseButton::Right) down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
  if (button == MouseButton::Middle) down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
  Send(MouseInput(down));
  Send(MouseInput(up));
}

void MovePointerTo(POINT screen) {
  // Absolute input runs from 0 to 65535 across the screen.
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  Send(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen.x * 65535 / (width - 1),
                  screen.y * 65535 / (height - 1)));
}

void MovePointerBy(int dx, int dy, ULONG_PTR tag) {
  Send(MouseInput(MOUSEEVENTF_MOVE, dx, dy, 0, tag));
}

void TurnWheel(int notches) {
  Send(MouseInput(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(notches * WHEEL_DELTA)));
}

void PressKey(WORD virtualKey, ULONG_PTR tag) {
  Send(KeyInput(virtualKey, false, tag));
}

void ReleaseKey(WORD virtualKey, ULONG_PTR tag) {
  Send(KeyInput(virtualKey, true, tag));
}

void TapKey(WORD virtualKey, std::chrono::milliseconds hold) {
  PressKey(virtualKey);
  if (hold.count() > 0) PumpMessagesFor(hold);
  ReleaseKey(virtualKey);
}

void XKeys(const std::string& arguments) {
  // Wine starts a program of the host system, but gives no handle to wait
  // for its end: the shell that runs it leaves a file behind when it is done.
  static int calls = 0;
  const std::string done = "/tmp/tallowmere-xdotool-" + std::to_string(GetCurrentProcessId()) +
                           "-" + std::to_string(++calls);
  std::wstring command = Wide("Z:\\bin\\sh -c \"xdotool " + arguments + "; : >" + done + "\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw std::runtime_error("xdotool did not start");
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  const std::wstring doneFile = L"Z:" + Wide(done);
  if (!WaitFor([&] { return GetFileAttributesW(doneFile.c_str()) != INVALID_FILE_ATTRIBUTES; })) {
    throw std::runtime_error("xdotool did not end: " + arguments);
  }
  DeleteFileW(doneFile.c_str());
}

}  // namespace tallowmere::test
