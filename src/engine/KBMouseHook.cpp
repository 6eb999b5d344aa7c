#include "engine/KBMouseHook.h"

#include <algorithm>
#include <limits>

#include "engine/BlockList.h"

namespace tallowmere {

KBMouseHook::KBMouseHook(HookCalls& hooks, BlockListSource& blockList, HookEvents& events)
    : hooks_(hooks), events_(events), blockList_(blockList) {}

void KBMouseHook::Install(HookKind kind) {
  const HookInstall result = hooks_.Install(kind, *this);
  handles_[static_cast<std::size_t>(kind)] = result.handle;
  if (result.handle == 0) events_.HookInstallFailed(kind, result.error);
}

void KBMouseHook::HookKeyboard() {
  // Keys released while no hook was in were never seen going up.
  wayOutDown_ = 0;
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
  if (code > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) return false;
  BlockListBuffer buffer;
  // A list read within the bound always fits the copy.
  if (const std::optional<std::string_view> list = ReadBlockList(blockList_, buffer)) {
    lastListSize_ = list->size();
    std::copy(list->begin(), list->end(), lastList_.begin());
  }
  return MatchesBlockList({lastList_.data(), lastListSize_}, static_cast<std::int32_t>(code));
}

bool KBMouseHook::KeyboardProc(const KeyEvent& event) {
  lastEvents_[kKeyboard] = kSeen | event.time;
  NoteWayOut(event);
  return Listed(event.vkCode);
}

void KBMouseHook::NoteWayOut(const KeyEvent& event) {
  const auto key = std::find(kWayOutKeys.begin(), kWayOutKeys.end(), event.vkCode);
  if (key == kWayOutKeys.end()) return;
  const std::uint32_t bit = 1u << (key - kWayOutKeys.begin());
  const std::uint32_t before = wayOutDown_;
  const std::uint32_t after = event.down ? before | bit : before & ~bit;
  // Timed from the moment all are down; a key's repeats change nothing.
  if (after == kAllWayOutKeys && before != kAllWayOutKeys) wayOutSince_ = event.time;
  wayOutDown_ = after;
}

bool KBMouseHook::LookForWayOut(std::uint32_t now) {
  if (wayOutDown_ != kAllWayOutKeys) return false;
  const std::uint32_t since = wayOutSince_;
  if (static_cast<std::int32_t>(now - since) < kWayOutHold || wayOutTaken_ == since) return false;
  wayOutTaken_ = since;
  events_.StopLockingRequested();
  return true;
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
