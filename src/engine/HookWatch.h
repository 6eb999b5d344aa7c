#pragma once

#include <cstdint>
#include <optional>

#include "engine/KBMouseHook.h"
#include "platform/InputState.h"

namespace tallowmere {

// How often the main window lets the watch look while locking, in
// milliseconds. The desktop reports only the time of its latest input, so a
// loss is certain only at the second or third look after it: four looks a
// second let blocking resume within about a second.
inline constexpr int kHookWatchInterval = 250;
// How long the hooks may take to be called for an input event that the
// system has received, in milliseconds; less than the interval, so that input
// missed early in one interval is judged at its end.
inline constexpr std::int32_t kHookCallGrace = 200;
static_assert(kHookCallGrace < kHookWatchInterval);

// Windows silently removes a low-level hook that once kept the desktop waiting
// past its time-out (after sleep, or under heavy load): the caption still
// reads "Stop" while nothing is blocked any more. While locking, the watch
// compares the time of the desktop's last input with the calls of
// KBMouseHook's procedures; when input arrived that no hook procedure saw
// within the grace, it installs both hooks again, each removed before it is
// installed, so that no two hooks of one kind are ever held.
class HookWatch {
 public:
  HookWatch(KBMouseHook& hooks, InputState& input);

  // Locking has just installed the hooks: from now on every input must reach
  // them. When either installation failed (and was reported then), the
  // watch stays idle until the next Start: to a watch over a missing hook,
  // all input would look unseen.
  void Start();
  // One look. True when it installed the hooks again. A reinstallation that
  // fails is reported as any installation, and ends the watch until the next
  // Start.
  bool Tick();

 private:
  void Reinstall();
  void Quiet(std::uint32_t calls, std::uint32_t now);
  bool BothInstalled() const;

  KBMouseHook& hooks_;
  InputState& input_;
  bool armed_ = false;
  // A reinstallation is running: its failure message lets timer ticks through.
  bool reinstalling_ = false;
  // The hook procedures' call count as last seen, and the time from which no
  // call has been seen.
  std::uint32_t calls_ = 0;
  std::uint32_t quietSince_ = 0;
  // The first input found after quietSince_ that no hook procedure has seen.
  std::optional<std::uint32_t> unseenInput_;
};

}  // namespace tallowmere
