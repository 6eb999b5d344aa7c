#include "platform/win32/Win32HookCalls.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace tallowmere {

namespace {

// Windows calls a hook procedure with no pointer of ours: what decides for the
// installed hook of each kind, and the hook that chains its events on, are
// module-wide, here. Written and read on the hooks' thread alone.
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

// The thread message that carries a Call to the hooks' thread.
constexpr UINT kCall = WM_APP;

// Work handed to the hooks' thread: it lives on the stack of the caller, who
// waits for `done` before it goes; what the work threw goes back with it.
struct Call {
  const std::function<void()>& work;
  HANDLE done;
  std::exception_ptr failure;
};

}  // namespace

Win32HookCalls::Win32HookCalls() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (!ready_.Valid()) return;
  thread_ = Handle(CreateThread(nullptr, 0, Serve, this, 0, &threadId_));
  // Without the thread every installation fails, and says why.
  if (thread_.Valid()) WaitForSingleObject(ready_.Get(), INFINITE);
}

Win32HookCalls::~Win32HookCalls() {
  // A quit the thread never gets would leave the program hanging at its end.
  if (thread_.Valid() && PostThreadMessageW(threadId_, WM_QUIT, 0, 0)) {
    WaitForSingleObject(thread_.Get(), INFINITE);
  }
}

DWORD WINAPI Win32HookCalls::Serve(void* self) {
  Win32HookCalls& calls = *static_cast<Win32HookCalls*>(self);
  MSG message;
  // The thread's queue exists before anything is posted to it.
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  SetEvent(calls.ready_.Get());
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message != kCall || message.hwnd != nullptr) continue;
    Call& call = *reinterpret_cast<Call*>(message.lParam);
    try {
      call.work();
    } catch (...) {
      call.failure = std::current_exception();
    }
    SetEvent(call.done);
  }
  for (HHOOK hook : calls.installed_) UnhookWindowsHookEx(hook);
  return 0;
}

DWORD Win32HookCalls::OnHookThread(const std::function<void()>& work) {
  Handle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!done.Valid()) return GetLastError();
  Call call{work, done.Get(), nullptr};
  if (!PostThreadMessageW(threadId_, kCall, 0, reinterpret_cast<LPARAM>(&call))) {
    return GetLastError();
  }
  WaitForSingleObject(done.Get(), INFINITE);
  if (call.failure) std::rethrow_exception(call.failure);
  return ERROR_SUCCESS;
}

HookInstall Win32HookCalls::Install(HookKind kind, HookProcedures& procedures) {
  HookInstall result{0, 0};
  const DWORD unreached = OnHookThread([&] {
    installed_.reserve(installed_.size() + 1);  // no failure once the hook is in
    const bool isKeyboard = kind == HookKind::Keyboard;
    Installed& slot = isKeyboard ? keyboard : mouse;
    // Set before the hook exists, so that its first call finds it.
    slot.procedures = &procedures;
    HHOOK hook = SetWindowsHookExW(isKeyboard ? WH_KEYBOARD_LL : WH_MOUSE_LL,
                                   isKeyboard ? KeyboardTrampoline : MouseTrampoline,
                                   GetModuleHandleW(nullptr), 0);
    const DWORD error = GetLastError();
    if (hook == nullptr) {
      result = {0, error};
      return;
    }
    slot.hook = hook;
    installed_.push_back(hook);
    result = {reinterpret_cast<HookHandle>(hook), 0};
  });
  return unreached == ERROR_SUCCESS ? result : HookInstall{0, unreached};
}

void Win32HookCalls::Remove(HookHandle handle) {
  OnHookThread([&] {
    UnhookWindowsHookEx(ToHook(handle));
    installed_.erase(std::remove(installed_.begin(), installed_.end(), ToHook(handle)),
                     installed_.end());
  });
}

}  // namespace tallowmere
