#include "platform/win32/Win32HookCalls.h"

#include <algorithm>
#include <cstring>

#include "engine/KBMouseHook.h"

namespace tallowmere {

namespace {

// Windows must never see a C++ exception: a failing decision lets the event
// pass on.
LRESULT CALLBACK KeyboardTrampoline(int nCode, WPARAM wParam, LPARAM lParam) {
  try {
    return KBMouseHook::KeyboardProc(nCode, wParam, lParam);
  } catch (...) {
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
  }
}

LRESULT CALLBACK MouseTrampoline(int nCode, WPARAM wParam, LPARAM lParam) {
  try {
    return KBMouseHook::MouseProc(nCode, wParam, lParam);
  } catch (...) {
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
  }
}

HHOOK ToHook(HookHandle handle) {
  return reinterpret_cast<HHOOK>(handle);
}

}  // namespace

Win32HookCalls::~Win32HookCalls() {
  for (HHOOK hook : installed_) UnhookWindowsHookEx(hook);
}

HookInstall Win32HookCalls::Install(HookKind kind) {
  installed_.reserve(installed_.size() + 1);  // no failure once the hook is in
  const bool keyboard = kind == HookKind::Keyboard;
  HHOOK hook = SetWindowsHookExW(keyboard ? WH_KEYBOARD_LL : WH_MOUSE_LL,
                                 keyboard ? KeyboardTrampoline : MouseTrampoline,
                                 GetModuleHandleW(nullptr), 0);
  const DWORD error = GetLastError();
  if (hook == nullptr) return {0, error};
  installed_.push_back(hook);
  return {reinterpret_cast<HookHandle>(hook), 0};
}

void Win32HookCalls::Remove(HookHandle handle) {
  UnhookWindowsHookEx(ToHook(handle));
  installed_.erase(std::remove(installed_.begin(), installed_.end(), ToHook(handle)),
                   installed_.end());
}

HookResult Win32HookCalls::CallNext(HookHandle handle, int nCode, HookWParam wParam,
                                    HookLParam lParam) {
  return CallNextHookEx(ToHook(handle), nCode, wParam, lParam);
}

std::uint32_t Win32HookCalls::KeyCode(HookLParam lParam) {
  // The record is copied whole, at the platform's own size (it differs
  // between 32- and 64-bit Windows).
  KBDLLHOOKSTRUCT event;
  std::memcpy(&event, reinterpret_cast<const void*>(lParam), sizeof event);
  return event.vkCode;
}

}  // namespace tallowmere
