#include "platform/win32/Win32InputState.h"

#include "platform/win32/WindowClass.h"
#include "platform/win32/WindowObject.h"

namespace tallowmere {

namespace {

constexpr wchar_t kSinkClass[] = L"TallowmereInputWatch";
// HID usage page and usages of the generic desktop controls.
constexpr USHORT kGenericDesktop = 0x01, kMouse = 0x02, kKeyboard = 0x06;

// Notes the time of each raw input event in the slot the window carries.
LRESULT CALLBACK SinkProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* last = WindowObject<std::optional<std::uint32_t>>(hWnd, message, lParam);
  if (message == WM_INPUT && last != nullptr) *last = static_cast<std::uint32_t>(GetMessageTime());
  // Frees the raw input's data.
  return DefWindowProcW(hWnd, message, wParam, lParam);
}

std::size_t Slot(HookKind kind) {
  return static_cast<std::size_t>(kind);
}

}  // namespace

Win32InputState::~Win32InputState() {
  Watch(false);
  for (HWND sink : sinks_) {
    if (sink != nullptr) DestroyWindow(sink);
  }
}

std::uint16_t Win32InputState::AsyncKeyState(int code) {
  return static_cast<std::uint16_t>(GetAsyncKeyState(code));
}

bool Win32InputState::MainWindowActive() {
  return mainWindow_ != nullptr && GetActiveWindow() == mainWindow_;
}

std::uint32_t Win32InputState::Now() {
  return GetTickCount();
}

// On failure the answer is "now", which lets the next poll read every key.
std::uint32_t Win32InputState::LastInputTime() {
  LASTINPUTINFO info{};
  info.cbSize = sizeof info;
  return GetLastInputInfo(&info) ? info.dwTime : GetTickCount();
}

void Win32InputState::WatchInput(bool on) {
  Watch(on);
}

void Win32InputState::Watch(bool on) {
  lastInput_[0].reset();
  lastInput_[1].reset();
  if (on && sinks_[0] == nullptr) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(instance, {.name = kSinkClass, .procedure = SinkProc});
    for (std::size_t i = 0; i < 2; ++i) {
      sinks_[i] = CreateWindowExW(0, kSinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, &lastInput_[i]);
    }
  }
  if (sinks_[0] == nullptr) return;
  const DWORD flags = on ? RIDEV_INPUTSINK : RIDEV_REMOVE;
  RAWINPUTDEVICE devices[2] = {
      {kGenericDesktop, kKeyboard, flags, on ? sinks_[Slot(HookKind::Keyboard)] : nullptr},
      {kGenericDesktop, kMouse, flags, on ? sinks_[Slot(HookKind::Mouse)] : nullptr}};
  RegisterRawInputDevices(devices, 2, sizeof devices[0]);
}

std::optional<std::uint32_t> Win32InputState::LastInputTime(HookKind kind) {
  return lastInput_[Slot(kind)];
}

}  // namespace tallowmere
