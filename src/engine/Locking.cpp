#include "engine/Locking.h"

#include "platform/ScopeExit.h"

namespace tallowmere {

namespace {

constexpr std::uint16_t kKeyDown = 0x8000;

}  // namespace

bool ChordHold::Acts(bool anyDown, std::optional<std::uint32_t> allDownSince, std::uint32_t now) {
  if (spent_) {
    spent_ = anyDown;
    return false;
  }
  // The clock wraps around; the difference of two of its times does not.
  if (!allDownSince || static_cast<std::int32_t>(now - *allDownSince) < kWayOutHold) return false;
  spent_ = true;
  return true;
}

Locking::Locking(HookCalls& hooks, BlockListSource& blockList, InputState& input,
                 LockingEvents& events)
    : kbMouseHook(hooks, blockList, input, events),
      input_(input),
      events_(events),
      hookWatch_(kbMouseHook, input) {}

void Locking::Start(HookKind kind) {
  on_ = true;
  chordSince_.reset();
  if (kind == HookKind::Keyboard) {
    kbMouseHook.HookKeyboard();
  } else {
    kbMouseHook.HookMouse();
  }
  hookWatch_.Start(kind);
}

void Locking::Stop(HookKind kind) {
  if (on_) hookWatch_.Stop();
  on_ = false;
  if (kind == HookKind::Keyboard) {
    kbMouseHook.UnhookKeyboard();
  } else {
    kbMouseHook.UnhookMouse();
  }
}

void Locking::Tick() {
  if (looking_) return;
  looking_ = true;
  const ScopeExit done([this] { looking_ = false; });
  const std::uint32_t now = input_.Now();
  if (!on_) return LookWhileOff(now);
  const KBMouseHook::ChordKeys keys = kbMouseHook.WayOutKeys();
  if (chord_.Acts(keys.anyDown, keys.allDownSince, now)) return events_.StopLockingRequested();
  hookWatch_.Tick();
}

void Locking::LookWhileOff(std::uint32_t now) {
  // In the main window, keys pressed mark keys, and their state is not read
  // there: a query takes away the press that marking looks for. Only the
  // release of a hold that has acted is waited for there.
  const bool active = input_.MainWindowActive();
  if (active && !chord_.Spent()) {
    chordSince_.reset();
    return;
  }
  bool all = true, any = false;
  for (const std::uint32_t code : kWayOutKeys) {
    // Until a hold has acted, one key up tells enough: each read is a call
    // into the system, four times a second.
    if (!all && !chord_.Spent()) break;
    const bool down = (input_.AsyncKeyState(static_cast<int>(code)) & kKeyDown) != 0;
    all = all && down;
    any = any || down;
  }
  if (active || !all) {
    chordSince_.reset();
  } else if (!chordSince_) {
    chordSince_ = now;
  }
  if (chord_.Acts(any, chordSince_, now)) events_.StartLockingRequested();
}

}  // namespace tallowmere
