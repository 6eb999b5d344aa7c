#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

#include "engine/BlockList.h"
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

// The way out while blocking: both Shift keys and Esc (VK_LSHIFT, VK_RSHIFT,
// VK_ESCAPE, as the keyboard hook sees them) held together this long, in
// milliseconds, stop locking. The hook sees them whether it swallows them or
// not, so it works whatever is marked.
inline constexpr std::array<std::uint32_t, 3> kWayOutKeys = {0xA0, 0xA1, 0x1B};
inline constexpr std::int32_t kWayOutHold = 2000;

// The system-wide keyboard and mouse hooks that swallow every event whose
// virtual-key code or mouse message stands in the block list, read afresh for
// every event; while the file cannot be read (another program holds it
// without sharing, a cleaner took it away), by the list as last read, so that
// such a moment never lets everything through. The decision is made here;
// installing, decoding and chaining are the platform's.
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

  // Once the way out has been held for kWayOutHold at `now` (a time on the
  // clock of the events), reports a request to stop locking and returns
  // true; not again for the same hold.
  bool LookForWayOut(std::uint32_t now);

 private:
  static constexpr std::size_t kKeyboard = static_cast<std::size_t>(HookKind::Keyboard);
  static constexpr std::size_t kMouse = static_cast<std::size_t>(HookKind::Mouse);

  void Install(HookKind kind);
  bool Listed(std::uint32_t code);
  void NoteWayOut(const KeyEvent& event);

  // The procedures run on the hooks' own thread, the rest on the window's.
  // Used by the window's thread alone: the calls, the events, the handles.
  HookCalls& hooks_;
  HookEvents& events_;
  // By HookKind.
  std::array<HookHandle, 2> handles_{};
  // Read by the procedures: a source that changes nothing of its own.
  BlockListSource& blockList_;
  // The list as last read, empty before the first read. Used by the
  // procedures alone, which all run on the hooks' one thread.
  std::array<char, kBlockListReadLimit> lastList_{};
  std::size_t lastListSize_ = 0;
  // By HookKind, the time of the latest event above kSeen, or 0 before the
  // first. Noted by the procedures for the watch to read: atomic.
  static constexpr std::uint64_t kSeen = std::uint64_t{1} << 32;
  std::array<std::atomic<std::uint64_t>, 2> lastEvents_{};
  // The way out's keys down, a bit each by kWayOutKeys, and the time the last
  // of them went down; written by the keyboard procedure alone, the mask
  // last, and read by the watch: atomic.
  static constexpr std::uint32_t kAllWayOutKeys = (1u << kWayOutKeys.size()) - 1;
  std::atomic<std::uint32_t> wayOutDown_{0};
  std::atomic<std::uint32_t> wayOutSince_{0};
  // The hold that was last reported, by its start; the watch's alone.
  std::optional<std::uint32_t> wayOutTaken_;
};

}  // namespace tallowmere
