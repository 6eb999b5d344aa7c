#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/KBMouseHook.h"
#include "platform/InputState.h"

namespace tallowmere {

// How often the main window lets the watch look while locking, in
// milliseconds: a hook lost while its kind of input goes on is found at the
// second look after the loss, so blocking resumes within about half a second.
inline constexpr int kHookWatchInterval = 250;
// How long a hook may take to be called for an input event that the system
// has received, in milliseconds; less than the interval, so that input missed
// early in one interval is judged at its end.
inline constexpr std::int32_t kHookCallGrace = 200;
static_assert(kHookCallGrace < kHookWatchInterval);

// Windows silently removes a low-level hook that once kept the desktop waiting
// past its time-out (after sleep, or under heavy load): the caption still
// reads "Stop" while nothing is blocked any more. While locking, the watch
// compares, kind by kind, the input that the system received with the events
// that KBMouseHook's procedure of that kind was called for; when input of a
// kind arrived that its hook did not see within the grace, it installs that
// hook again, removed before it is installed, so that no two hooks of one kind
// are ever held. Each hook is judged on its own: a lost keyboard hook is found
// while the mouse goes on moving, and the other way round.
class HookWatch {
 public:
  HookWatch(KBMouseHook& hooks, InputState& input);

  // Locking has just installed the hook of the kind: from now on every input
  // of that kind must reach it. A hook whose installation failed (and was
  // reported then) is not watched until it is started again: to a watch over
  // a missing hook, all its input would look unseen.
  void Start(HookKind kind);
  // Locking has stopped: the watch forgets the input.
  void Stop();
  // One look: true when it installed a hook again. A reinstallation that
  // fails is reported as any installation, and ends the watch over that hook
  // until it is started again.
  bool Tick();

 private:
  struct Watched {
    bool armed = false;
    // Input up to this time was there before the hook: it is no loss.
    std::uint32_t since = 0;
    // The input time of an event of the kind that the hook had not seen at
    // the last look.
    std::optional<std::uint32_t> unseen;
  };
  static Watched Watch(HookHandle handle, std::uint32_t now);
  bool Lost(HookKind kind, Watched& watched, std::uint32_t now);
  void Reinstall(HookKind kind, Watched& watched);

  KBMouseHook& hooks_;
  InputState& input_;
  // By HookKind.
  std::array<Watched, 2> watched_;
  // A reinstallation is running: its failure message lets timer ticks through.
  bool reinstalling_ = false;
};

}  // namespace tallowmere
