#include "engine/HookWatch.h"

namespace tallowmere {

namespace {

// The system's millisecond clock wraps around after 49.7 days; the difference
// of two of its times does not, for times less than 24 days apart.
std::int32_t Since(std::uint32_t later, std::uint32_t earlier) {
  return static_cast<std::int32_t>(later - earlier);
}

}  // namespace

HookWatch::HookWatch(KBMouseHook& hooks, InputState& input) : hooks_(hooks), input_(input) {}

bool HookWatch::BothInstalled() const {
  return hooks_.KeyboardHookHandle() != 0 && hooks_.MouseHookHandle() != 0;
}

void HookWatch::Start() {
  armed_ = BothInstalled();
  Quiet(hooks_.CallCount(), input_.Now());
}

bool HookWatch::Tick() {
  if (!armed_ || reinstalling_) return false;
  const std::uint32_t calls = hooks_.CallCount();
  const std::uint32_t now = input_.Now();
  if (calls != calls_) {
    Quiet(calls, now);
    return false;
  }
  const std::uint32_t lastInput = input_.LastInputTime();
  if (Since(lastInput, quietSince_) <= 0) return false;
  if (!unseenInput_) unseenInput_ = lastInput;
  if (Since(now, *unseenInput_) < kHookCallGrace) return false;
  Reinstall();
  return true;
}

void HookWatch::Reinstall() {
  reinstalling_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{reinstalling_};
  hooks_.UnhookKeyboard();
  hooks_.HookKeyboard();
  hooks_.UnhookMouse();
  hooks_.HookMouse();
  armed_ = BothInstalled();
  Quiet(hooks_.CallCount(), input_.Now());
}

void HookWatch::Quiet(std::uint32_t calls, std::uint32_t now) {
  calls_ = calls;
  quietSince_ = now;
  unseenInput_.reset();
}

}  // namespace tallowmere
