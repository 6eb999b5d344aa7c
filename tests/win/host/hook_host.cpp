// Holds low-level hooks in a process of its own, as Tallowmere does, for the
// end-to-end tests and the benchmark:
//   hook_host hooks ACK         KBMouseHook's keyboard and mouse hooks
//   hook_host pass-through ACK  hooks that pass every event on, reading nothing
// Sets the named event ACK once the hooks are in, and again after removing
// them on the thread message kRemoveHooks; ends on WM_QUIT.
#include <windows.h>

#include <string>

#include "engine/KBMouseHook.h"
#include "platform/win32/Handle.h"
#include "platform/win32/Win32BlockListSource.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32HookCalls.h"
#include "win/support/HookHost.h"

namespace tallowmere {
namespace {

LRESULT CALLBACK PassThrough(int nCode, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

int Run(const std::wstring& mode, HANDLE ack) {
  Win32HookCalls hooks;
  Win32BlockListSource blockList;
  Win32Dialogs dialogs;
  HHOOK passKeyboard = nullptr, passMouse = nullptr;
  if (mode == L"hooks") {
    KBMouseHook::Attach(hooks, blockList, dialogs);
    KBMouseHook::HookKeyboard();
    KBMouseHook::HookMouse();
  } else if (mode == L"pass-through") {
    passKeyboard = SetWindowsHookExW(WH_KEYBOARD_LL, PassThrough, GetModuleHandleW(nullptr), 0);
    passMouse = SetWindowsHookExW(WH_MOUSE_LL, PassThrough, GetModuleHandleW(nullptr), 0);
  } else {
    return 2;
  }
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the first command
  SetEvent(ack);
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == kRemoveHooks) {
      if (mode == L"hooks") {
        KBMouseHook::UnhookKeyboard();
        KBMouseHook::UnhookMouse();
      } else {
        UnhookWindowsHookEx(passKeyboard);
        UnhookWindowsHookEx(passMouse);
      }
      SetEvent(ack);
    }
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace
}  // namespace tallowmere

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  tallowmere::Handle ack(OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]));
  if (!ack.Valid()) return 3;
  try {
    return tallowmere::Run(argv[1], ack.Get());
  } catch (...) {
    return 4;
  }
}
