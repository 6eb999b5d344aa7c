#include "platform/win32/Win32InputState.h"

#include "platform/win32/WindowClass.h"
#include "platform/win32/WindowObject.h"

namespace tallowmere {

namespace {

constexpr wchar_t kSinkClass[] = L"TallowmereInputWatch";
// HID usage page and usages of the generic desktop controls, by HookKind.
constexpr USHORT kGenericDesktop = 0x01;
constexpr USHORT kUsages[2] = {0x06, 0x02};

// Notes the time of each raw input event in the sink the window carries,
// and passes the news on.
LRESULT CALLBACK SinkProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* sink = WindowObject<Win32InputState::Sink>(hWnd, message, lParam);
  if (message == WM_INPUT && sink != nullptr) {
    if (sink->watched) sink->last = static_cast<std::uint32_t>(GetMessageTime());
    if (sink->message != 0) PostMessageW(sink->notify, sink->message, 0, 0);
  }
  // Frees the raw input's data.
  return DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

Win32InputState::~Win32InputState() {
  for (Sink& sink : sinks_) {
    sink.watched = false;
    sink.message = 0;
  }
  Register();
  for (const Sink& sink : sinks_) {
    if (sink.window != nullptr) DestroyWindow(sink.window);
  }
}

void Win32InputState::SetMainWindow(HWND window, UINT keyboardMessage) {
  mainWindow_ = window;
  Sink& keyboard = sinks_[static_cast<std::size_t>(HookKind::Keyboard)];
  keyboard.notify = window;
  keyboard.message = keyboardMessage;
  if (keyboardMessage != 0) CreateSinks();
  Register();
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
  for (Sink& sink : sinks_) {
    sink.watched = on;
    sink.last.reset();
  }
  if (on) CreateSinks();
  Register();
}

void Win32InputState::CreateSinks() {
  if (sinks_[0].window != nullptr) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, {.name = kSinkClass, .procedure = SinkProc});
  for (Sink& sink : sinks_) {
    sink.window =
        CreateWindowExW(0, kSinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, &sink);
  }
}

// Each kind's raw input goes to its window while anyone wants to hear of it;
// one call a kind, so that removing one never fails the other.
void Win32InputState::Register() {
  if (sinks_[0].window == nullptr) return;
  for (std::size_t i = 0; i < 2; ++i) {
    const bool wanted = sinks_[i].watched || sinks_[i].message != 0;
    const auto flags = static_cast<DWORD>(wanted ? RIDEV_INPUTSINK : RIDEV_REMOVE);
    const RAWINPUTDEVICE device{kGenericDesktop, kUsages[i], flags,
                                wanted ? sinks_[i].window : nullptr};
    RegisterRawInputDevices(&device, 1, sizeof device);
  }
}

std::optional<std::uint32_t> Win32InputState::LastInputTime(HookKind kind) {
  return sinks_[static_cast<std::size_t>(kind)].last;
}

}  // namespace tallowmere
