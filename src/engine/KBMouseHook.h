#pragma once

#include <array>
#include <cstdint>

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

  // How often either hook procedure has been called, wrapping around: the
  // watch over the hooks compares it between its looks.
  std::uint32_t CallCount() const { return callCounts_[kKeyboard] + callCounts_[kMouse]; }

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
  std::array<std::uint32_t, 2> callCounts_{};
};

}  // namespace tallowmere
