#pragma once

#include <cstdint>
#include <string_view>

#include "platform/BlockListSource.h"
#include "platform/Dialogs.h"
#include "platform/HookCalls.h"

// The system-wide keyboard and mouse hooks that swallow every event whose
// virtual-key code or mouse message stands in the block list. The decision is
// made here; installing, chaining and removing are the platform's.
namespace tallowmere::KBMouseHook {

inline constexpr std::string_view kKeyboardInstallFailure =
    "Failed to install low-level keyboard hook - ";
inline constexpr std::string_view kMouseInstallFailure = "Failed to install mouse hook - ";

// The hook procedure's answer that swallows the event.
inline constexpr HookResult kSwallow = 1;

// Gives the unit the services it works with, once at start before any hook is
// installed; they must outlive every installed hook. Both handles start at 0.
void Attach(HookCalls& hooks, BlockListSource& blockList, Dialogs& dialogs);

// Installs the hook; a failure shows its message box, and nothing else.
// Must not be called again while the hook is installed: the first hook could
// no longer be removed.
void HookKeyboard();
// Removes the hook of the last installation; safe in any state.
void UnhookKeyboard();
HookResult KeyboardProc(int nCode, HookWParam wParam, HookLParam lParam);
// The handle of the last installation, 0 before the first; removal keeps it.
HookHandle KeyboardHookHandle();

void HookMouse();
void UnhookMouse();
HookResult MouseProc(int nCode, HookWParam wParam, HookLParam lParam);
HookHandle MouseHookHandle();

// How often either hook procedure has been called, wrapping around: the watch
// over the hooks compares it between its looks.
std::uint32_t CallCount();

}  // namespace tallowmere::KBMouseHook
