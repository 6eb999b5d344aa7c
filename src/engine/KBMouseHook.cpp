#include "engine/KBMouseHook.h"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "engine/BlockList.h"
#include "shell/Main.h"

namespace tallowmere::KBMouseHook {

namespace {

// Windows calls a hook procedure with no pointer of ours, so what the
// procedures need (the services and the handle that chains the event on) is
// module-wide, in this one place, for the whole run.
struct UnitState {
  HookCalls* hooks = nullptr;
  BlockListSource* blockList = nullptr;
  Dialogs* dialogs = nullptr;
  HookHandle keyboard = 0;
  HookHandle mouse = 0;
  std::uint32_t calls = 0;
};
UnitState unit;

constexpr int kHcAction = 0;

HookCalls& Hooks() {
  if (unit.hooks == nullptr) throw std::logic_error("KBMouseHook used before Attach");
  return *unit.hooks;
}

void Install(HookKind kind, HookHandle& handle, std::string_view failure) {
  const HookInstall result = Hooks().Install(kind);
  handle = result.handle;
  if (handle == 0) {
    unit.dialogs->Show(std::string(failure) + std::to_string(result.error), ApplicationTitle(),
                       DialogIcon::None);
  }
}

bool Listed(std::uintmax_t code) {
  BlockListBuffer buffer;
  return code <= static_cast<std::uintmax_t>(std::numeric_limits<std::int32_t>::max()) &&
         MatchesBlockList(ReadBlockList(*unit.blockList, buffer), static_cast<std::int32_t>(code));
}

}  // namespace

void Attach(HookCalls& hooks, BlockListSource& blockList, Dialogs& dialogs) {
  unit = {&hooks, &blockList, &dialogs, 0, 0, 0};
}

void HookKeyboard() {
  Install(HookKind::Keyboard, unit.keyboard, kKeyboardInstallFailure);
}

void UnhookKeyboard() {
  Hooks().Remove(unit.keyboard);
}

HookResult KeyboardProc(int nCode, HookWParam wParam, HookLParam lParam) {
  ++unit.calls;
  HookCalls& hooks = Hooks();
  if (nCode == kHcAction && Listed(hooks.KeyCode(lParam))) return kSwallow;
  return hooks.CallNext(unit.keyboard, nCode, wParam, lParam);
}

HookHandle KeyboardHookHandle() {
  return unit.keyboard;
}

void HookMouse() {
  Install(HookKind::Mouse, unit.mouse, kMouseInstallFailure);
}

void UnhookMouse() {
  Hooks().Remove(unit.mouse);
}

HookResult MouseProc(int nCode, HookWParam wParam, HookLParam lParam) {
  ++unit.calls;
  HookCalls& hooks = Hooks();
  if (nCode == kHcAction && Listed(wParam)) return kSwallow;
  return hooks.CallNext(unit.mouse, nCode, wParam, lParam);
}

HookHandle MouseHookHandle() {
  return unit.mouse;
}

std::uint32_t CallCount() {
  return unit.calls;
}

}  // namespace tallowmere::KBMouseHook
