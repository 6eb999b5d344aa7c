#include "platform/win32/Win32HookCalls.h"

#include <algorithm>
#include <cstring>

namespace tallowmere {

namespace {

// Windows calls a hook procedure with no pointer of ours: what decides for the
// installed hook of each kind, and the hook that chains its events on, are
// module-wide, here.
struct Installed {
  HookProcedures* procedures = nullptr;
  HHOOK hook = nullptr;
};
Installed keyboard, mouse;

// Windows must never see a C++ exception: a failing decision lets the event
// pass on.
template <typename Decide>
LRESULT Chain(const Installed& installed, int nCode, WPARAM wParam, LPARAM lParam, Decide decide) {
  bool swallow = false;
  try {
    swallow = nCode == HC_ACTION && decide(*installed.procedures);
  } catch (...) {
    swallow = false;
  }
  return swallow ? 1 : CallNextHookEx(installed.hook, nCode, wParam, lParam);
}

// The records are copied whole, at the platform's own size (they differ
// between 32- and 64-bit Windows).
template <typename Record>
Record Copy(LPARAM lParam) {
  Record record;
  std::memcpy(&record, reinterpret_cast<const void*>(lParam), sizeof record);
  return record;
}

LRESULT CALLBACK KeyboardTrampoline(int nCode, WPARAM wParam, LPARAM lParam) {
  return Chain(keyboard, nCode, wParam, lParam, [&](HookProcedures& procedures) {
    const auto record = Copy<KBDLLHOOKSTRUCT>(lParam);
    return procedures.KeyboardProc({record.vkCode, (record.flags & LLKHF_UP) == 0,
                                    (record.flags & LLKHF_INJECTED) != 0, record.time});
  });
}

LRESULT CALLBACK MouseTrampoline(int nCode, WPARAM wParam, LPARAM lParam) {
  return Chain(mouse, nCode, wParam, lParam, [&](HookProcedures& procedures) {
    const auto record = Copy<MSLLHOOKSTRUCT>(lParam);
    return procedures.MouseProc(
        {static_cast<std::uint32_t>(wParam), (record.flags & LLMHF_INJECTED) != 0, record.time});
  });
}

HHOOK ToHook(HookHandle handle) {
  return reinterpret_cast<HHOOK>(handle);
}

}  // namespace

Win32HookCalls::~Win32HookCalls() {
  for (HHOOK hook : installed_) UnhookWindowsHookEx(hook);
}

HookInstall Win32HookCalls::Install(HookKind kind, HookProcedures& procedures) {
  installed_.reserve(installed_.size() + 1);  // no failure once the hook is in
  const bool isKeyboard = kind == HookKind::Keyboard;
  Installed& slot = isKeyboard ? keyboard : mouse;
  // Set before the hook exists, so that its first call finds it.
  slot.procedures = &procedures;
  HHOOK hook = SetWindowsHookExW(isKeyboard ? WH_KEYBOARD_LL : WH_MOUSE_LL,
                                 isKeyboard ? KeyboardTrampoline : MouseTrampoline,
                                 GetModuleHandleW(nullptr), 0);
  const DWORD error = GetLastError();
  if (hook == nullptr) return {0, error};
  slot.hook = hook;
  installed_.push_back(hook);
  return {reinterpret_cast<HookHandle>(hook), 0};
}

void Win32HookCalls::Remove(HookHandle handle) {
  UnhookWindowsHookEx(ToHook(handle));
  installed_.erase(std::remove(installed_.begin(), installed_.end(), ToHook(handle)),
                   installed_.end());
}

}  // namespace tallowmere
