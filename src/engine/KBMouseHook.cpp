#include "engine/KBMouseHook.h"

#include <algorithm>
#include <limits>

#include "engine/BlockList.h"

namespace tallowmere {

namespace {

// WM_LBUTTONDOWN, WM_RBUTTONDOWN and WM_MBUTTONDOWN, each followed by its
// release, for the left, right and middle buttons.
constexpr std::uint32_t kButtonDowns[] = {0x201, 0x204, 0x207};

std::optional<std::size_t> ButtonOf(std::uint32_t message) {
  for (std::size_t button = 0; button < std::size(kButtonDowns); ++button) {
    if (message == kButtonDowns[button] || message == kButtonDowns[button] + 1) return button;
  }
  return std::nullopt;
}

constexpr std::uint16_t kKeyDown = 0x8000;

}  // namespace

KBMouseHook::KBMouseHook(HookCalls& hooks, BlockListSource& blockList, InputState& keys,
                         HookEvents& events)
    : hooks_(hooks), keys_(keys), events_(events), blockList_(blockList) {}

void KBMouseHook::Install(HookKind kind) {
  const HookInstall result = hooks_.Install(kind, *this);
  handles_[static_cast<std::size_t>(kind)] = result.handle;
  if (result.handle == 0) events_.HookInstallFailed(kind, result.error);
}

void KBMouseHook::HookKeyboard() {
  // A key held now was pressed with no hook in: its repeats are no new
  // press, and its release must reach the programs that saw it go down.
  std::bitset<256> down;
  for (std::size_t code = 1; code < down.size(); ++code) {
    down[code] = (keys_.AsyncKeyState(static_cast<int>(code)) & kKeyDown) != 0;
  }
  heldKeys_.Restart(down);
  // Keys released while no hook was in were never seen going up.
  wayOutDown_ = 0;
  Install(HookKind::Keyboard);
}

void KBMouseHook::UnhookKeyboard() {
  hooks_.Remove(handles_[kKeyboard]);
}

void KBMouseHook::HookMouse() {
  // Buttons do not repeat: a button held now is simply one whose press the
  // hook never saw swallowed.
  heldButtons_.Restart({});
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
  const bool listed = Listed(event.vkCode);
  if (event.vkCode >= 256) return listed;
  NoteWayOut(event, heldKeys_.NewPress(event.vkCode));
  return heldKeys_.Decide(event.vkCode, event.down, listed);
}

void KBMouseHook::NoteWayOut(const KeyEvent& event, bool newPress) {
  const auto key = std::find(kWayOutKeys.begin(), kWayOutKeys.end(), event.vkCode);
  if (key == kWayOutKeys.end()) return;
  // A key held since before the hook counts only once pressed anew.
  if (event.down && !newPress) return;
  const std::uint32_t bit = 1u << (key - kWayOutKeys.begin());
  const std::uint32_t before = wayOutDown_;
  const std::uint32_t after = event.down ? before | bit : before & ~bit;
  if (after == kAllWayOutKeys && before != kAllWayOutKeys) wayOutSince_ = event.time;
  wayOutDown_ = after;
}

KBMouseHook::ChordKeys KBMouseHook::WayOutKeys() const {
  const std::uint32_t down = wayOutDown_;
  if (down != kAllWayOutKeys) return {down != 0, std::nullopt};
  return {true, wayOutSince_.load()};
}

bool KBMouseHook::MouseProc(const MouseEvent& event) {
  lastEvents_[kMouse] = kSeen | event.time;
  const bool listed = Listed(event.message);
  const std::optional<std::size_t> button = ButtonOf(event.message);
  if (!button) return listed;
  return heldButtons_.Decide(*button, event.message == kButtonDowns[*button], listed);
}

std::optional<std::uint32_t> KBMouseHook::LastEventTime(HookKind kind) const {
  const std::uint64_t last = lastEvents_[static_cast<std::size_t>(kind)];
  if (last == 0) return std::nullopt;
  return static_cast<std::uint32_t>(last);
}

}  // namespace tallowmere
