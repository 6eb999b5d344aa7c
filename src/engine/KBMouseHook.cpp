#include "engine/KBMouseHook.h"

#include <limits>

#include "engine/BlockList.h"

namespace tallowmere {

KBMouseHook::KBMouseHook(HookCalls& hooks, BlockListSource& blockList, HookEvents& events)
    : hooks_(hooks), blockList_(blockList), events_(events) {}

void KBMouseHook::Install(HookKind kind) {
  const HookInstall result = hooks_.Install(kind, *this);
  handles_[static_cast<std::size_t>(kind)] = result.handle;
  if (result.handle == 0) events_.HookInstallFailed(kind, result.error);
}

void KBMouseHook::HookKeyboard() {
  Install(HookKind::Keyboard);
}

void KBMouseHook::UnhookKeyboard() {
  hooks_.Remove(handles_[kKeyboard]);
}

void KBMouseHook::HookMouse() {
  Install(HookKind::Mouse);
}

void KBMouseHook::UnhookMouse() {
  hooks_.Remove(handles_[kMouse]);
}

bool KBMouseHook::Listed(std::uint32_t code) {
  BlockListBuffer buffer;
  return code <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()) &&
         MatchesBlockList(ReadBlockList(blockList_, buffer), static_cast<std::int32_t>(code));
}

bool KBMouseHook::KeyboardProc(const KeyEvent& event) {
  lastEvents_[kKeyboard] = kSeen | event.time;
  return Listed(event.vkCode);
}

bool KBMouseHook::MouseProc(const MouseEvent& event) {
  lastEvents_[kMouse] = kSeen | event.time;
  return Listed(event.message);
}

std::optional<std::uint32_t> KBMouseHook::LastEventTime(HookKind kind) const {
  const std::uint64_t last = lastEvents_[static_cast<std::size_t>(kind)];
  if (last == 0) return std::nullopt;
  return static_cast<std::uint32_t>(last);
}

}  // namespace tallowmere
