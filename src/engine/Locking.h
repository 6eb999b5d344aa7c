#pragma once

#include <cstdint>
#include <optional>

#include "engine/HookWatch.h"
#include "engine/KBMouseHook.h"
#include "platform/BlockListSource.h"
#include "platform/HookCalls.h"
#include "platform/InputState.h"

namespace tallowmere {

// What locking asks of the window: to start or to stop, as its switch would.
class LockingEvents : public HookEvents {
 public:
  // The chord was held while locking was off and the main window was not
  // the active window.
  virtual void StartLockingRequested() = 0;
  // The chord was held while locking.
  virtual void StopLockingRequested() = 0;

 protected:
  ~LockingEvents() = default;
};

// How often locking looks, on or off, in milliseconds.
inline constexpr int kLockingTickInterval = kHookWatchInterval;

// One hold of the chord acts at most once: after it has, every key must have
// been let go before the next hold counts, so that a long hold never toggles
// locking back and forth.
class ChordHold {
 public:
  // Whether the hold acts now: all the keys down since `allDownSince`, for
  // kWayOutHold at `now`; `anyDown` whether any of them is down.
  bool Acts(bool anyDown, std::optional<std::uint32_t> allDownSince, std::uint32_t now);
  // It has acted, and a key may still be down.
  bool Spent() const { return spent_; }

 private:
  bool spent_ = false;
};

// Blocking as a whole: the two hooks, the watch over them, and the chord that
// starts and stops it from anywhere. While on, the chord is read from the
// keyboard hook, which sees it whether it swallows the keys or not; while
// off, no hook is in, and the chord is read from the keys' state as it is
// at each look, so that a key let go where no program sees it (the lock
// screen, another desktop) is never taken for held.
class Locking {
 public:
  Locking(HookCalls& hooks, BlockListSource& blockList, InputState& input, LockingEvents& events);
  Locking(const Locking&) = delete;
  Locking& operator=(const Locking&) = delete;

  // Installs the hook of the kind and watches it. Locking is on from the
  // first start, even when an installation failed (which was reported).
  void Start(HookKind kind);
  // Removes the hook of the kind, in any state; locking is off from the first.
  void Stop(HookKind kind);
  bool IsOn() const { return on_; }

  // One look, every kLockingTickInterval: the chord first, then the watch
  // over the hooks. What the chord asks for goes to the events.
  void Tick();

  // The hooks, for the watch's tests and for quitting.
  KBMouseHook kbMouseHook;

 private:
  void LookWhileOff(std::uint32_t now);

  InputState& input_;
  LockingEvents& events_;
  HookWatch hookWatch_;
  ChordHold chord_;
  bool on_ = false;
  // While off: since when all the chord's keys have been down.
  std::optional<std::uint32_t> chordSince_;
  // A look is running: what it asked for may show a box, whose messages let
  // further ticks through.
  bool looking_ = false;
};

}  // namespace tallowmere
