#include "engine/HookWatch.h"

#include "platform/ScopeExit.h"

namespace tallowmere {

namespace {

// The system's millisecond clock wraps around after 49.7 days; the difference
// of two of its times does not, for times less than 24 days apart.
std::int32_t Since(std::uint32_t later, std::uint32_t earlier) {
  return static_cast<std::int32_t>(later - earlier);
}

}  // namespace

HookWatch::HookWatch(KBMouseHook& hooks, InputState& input) : hooks_(hooks), input_(input) {}

HookWatch::Watched HookWatch::Watch(HookHandle handle, std::uint32_t now) {
  return {handle != 0, now, std::nullopt};
}

void HookWatch::Start(HookKind kind) {
  if (!watched_[0].armed && !watched_[1].armed) input_.WatchInput(true);
  const HookHandle handle =
      kind == HookKind::Keyboard ? hooks_.KeyboardHookHandle() : hooks_.MouseHookHandle();
  watched_[static_cast<std::size_t>(kind)] = Watch(handle, input_.Now());
}

void HookWatch::Stop() {
  watched_ = {};
  input_.WatchInput(false);
}

bool HookWatch::Tick() {
  if (reinstalling_) return false;
  bool reinstalled = false;
  for (const HookKind kind : {HookKind::Keyboard, HookKind::Mouse}) {
    Watched& watched = watched_[static_cast<std::size_t>(kind)];
    if (watched.armed && Lost(kind, watched, input_.Now())) {
      Reinstall(kind, watched);
      reinstalled = true;
    }
  }
  return reinstalled;
}

bool HookWatch::Lost(HookKind kind, Watched& watched, std::uint32_t now) {
  const std::optional<std::uint32_t> input = input_.LastInputTime(kind);
  const std::optional<std::uint32_t> seen = hooks_.LastEventTime(kind);
  const auto seenBy = [&](std::uint32_t time) { return seen && Since(*seen, time) >= 0; };
  if (!input || Since(*input, watched.since) <= 0 || seenBy(*input)) {
    watched.unseen.reset();
    return false;
  }
  // Judged from the earliest input still unseen, so that input that goes on
  // arriving cannot keep putting the judgement off.
  if (!watched.unseen || seenBy(*watched.unseen)) watched.unseen = *input;
  return Since(now, *watched.unseen) >= kHookCallGrace;
}

void HookWatch::Reinstall(HookKind kind, Watched& watched) {
  reinstalling_ = true;
  const ScopeExit done([this] { reinstalling_ = false; });
  if (kind == HookKind::Keyboard) {
    hooks_.UnhookKeyboard();
    hooks_.HookKeyboard();
    watched = Watch(hooks_.KeyboardHookHandle(), input_.Now());
  } else {
    hooks_.UnhookMouse();
    hooks_.HookMouse();
    watched = Watch(hooks_.MouseHookHandle(), input_.Now());
  }
}

}  // namespace tallowmere
