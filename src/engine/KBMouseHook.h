#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

#include "platform/BlockListSource.h"
#include "platform/HookCalls.h"

namespace tallowmere {

// What the hooks tell the window. Called on the thread that installs the
// hooks, within the call that caused it.
class HookEvents {
 public:
  // An installation failed with the system's error code; the hook of that kind
  // is then missing until the next installation.
  virtual void HookInstallFailed(HookKind kind, std::uint32_t error) = 0;
  // The user asked, by input the hooks saw, for locking to stop.
  virtual void StopLockingRequested() = 0;

 protected:
  ~HookEvents() = default;
};

// The system-wide keyboard and mouse hooks that swallow every event whose
// virtual-key code or mouse message stands in the block list, read afresh for
// every event. The decision is made here; installing, decoding and chaining
// are the platform's.
class KBMouseHook : public HookProcedures {
 public:
  KBMouseHook(HookCalls& hooks, BlockListSource& blockList, HookEvents& events);
  KBMouseHook(const KBMouseHook&) = delete;
  KBMouseHook& operator=(const KBMouseHook&) = delete;

  // Installs the hook; a failure is reported to the events, and nothing else.
  // Must not be called again while the hook is installed: the first hook could
  // no longer be removed.
  void HookKeyboard();
  // Removes the hook of the last installation; safe in any state.
  void UnhookKeyboard();
  // The handle of the last installation, 0 before the first; removal keeps it.
  HookHandle KeyboardHookHandle() const { return handles_[kKeyboard]; }

  void HookMouse();
  void UnhookMouse();
  HookHandle MouseHookHandle() const { return handles_[kMouse]; }

  bool KeyboardProc(const KeyEvent& event) override;
  bool MouseProc(const MouseEvent& event) override;

  // The time of the latest event the hook procedure of the kind was called
  // for; none before the first. The watch over the hooks compares it with the
  // input the system had.
  std::optional<std::uint32_t> LastEventTime(HookKind kind) const;

 private:
  static constexpr std::size_t kKeyboard = static_cast<std::size_t>(HookKind::Keyboard);
  static constexpr std::size_t kMouse = static_cast<std::size_t>(HookKind::Mouse);

  void Install(HookKind kind);
  bool Listed(std::uint32_t code);

  HookCalls& hooks_;
  BlockListSource& blockList_;
  HookEvents& events_;
  // By HookKind.
  std::array<HookHandle, 2> handles_{};
  // By HookKind, the time of the latest event above kSeen, or 0 before the
  // first. The procedures may run on a thread of their own: what they note
  // for others to read is atomic.
  static constexpr std::uint64_t kSeen = std::uint64_t{1} << 32;
  std::array<std::atomic<std::uint64_t>, 2> lastEvents_{};
};

}  // namespace tallowmere
