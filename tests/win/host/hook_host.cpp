// Holds low-level hooks in a process of its own, as Tallowmere does, for the
// end-to-end tests and the benchmark:
//   hook_host hooks ACK         KBMouseHook's keyboard and mouse hooks
//   hook_host pass-through ACK  PassedOnInput's hooks, which pass every event on
// Sets the named event ACK once the hooks are in, and again after each
// thread message kRemoveHooks or kInstallHooks is done; ends on WM_QUIT.
#include <windows.h>

#include <optional>
#include <string>

#include "engine/BlockList.h"
#include "engine/KBMouseHook.h"
#include "platform/win32/Handle.h"
#include "platform/win32/Win32BlockListSource.h"
#include "platform/win32/Win32HookCalls.h"
#include "platform/win32/Win32InputState.h"
#include "win/support/HookHost.h"
#include "win/support/PassedOnInput.h"

namespace tallowmere {
namespace {

// The hooks of one mode, put in and taken out on command.
class Hooks : private HookEvents {
 public:
  explicit Hooks(bool kbMouseHook) : kbMouseHook_(kbMouseHook) {}
  // False when an installation failed.
  bool Install() {
    if (!kbMouseHook_) {
      passThrough_.emplace(0);  // throws when the hooks cannot be put in
      return true;
    }
    hook_.HookKeyboard();
    hook_.HookMouse();
    return !failed_;
  }
  void Remove() {
    if (!kbMouseHook_) {
      passThrough_.reset();
      return;
    }
    hook_.UnhookKeyboard();
    hook_.UnhookMouse();
  }

 private:
  void HookInstallFailed(HookKind, std::uint32_t) override { failed_ = true; }

  bool kbMouseHook_;
  bool failed_ = false;
  Win32HookCalls calls_;
  Win32BlockListSource blockList_{kBlockListFolderVariable, kBlockListFileName};
  Win32InputState keys_;
  KBMouseHook hook_{calls_, blockList_, keys_, *this};
  std::optional<test::PassedOnInput> passThrough_;
};
int Run(const std::wstring& mode, HANDLE ack) {
  if (mode != L"hooks" && mode != L"pass-through") return 2;
  Hooks hooks(mode == L"hooks");
  if (!hooks.Install()) return 5;
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the first command
  SetEvent(ack);
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr &&
        (msg.message == test::kRemoveHooks || msg.message == test::kInstallHooks)) {
      if (msg.message == test::kRemoveHooks) {
        hooks.Remove();
      } else {
        hooks.Install();
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
