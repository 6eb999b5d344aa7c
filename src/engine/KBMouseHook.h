#pragma once

#include <array>
#include <atomic>
#include <bitset>
#include <cstdint>
#include <optional>

#include "engine/BlockList.h"
#include "platform/BlockListSource.h"
#include "platform/HookCalls.h"
#include "platform/InputState.h"

namespace tallowmere {

// What the hooks tell the window. Called on the thread that installs the
// hooks, within the call that caused it.
class HookEvents {
 public:
  // An installation failed with the system's error code; the hook of that kind
  // is then missing until the next installation.
  virtual void HookInstallFailed(HookKind kind, std::uint32_t error) = 0;

 protected:
  ~HookEvents() = default;
};

// The chord that starts and stops locking from anywhere: both Shift keys and
// Esc (VK_LSHIFT, VK_RSHIFT, VK_ESCAPE, as the keyboard hook and the key state
// tell them apart) held together this long, in milliseconds.
inline constexpr std::array<std::uint32_t, 3> kWayOutKeys = {0xA0, 0xA1, 0x1B};
inline constexpr std::int32_t kWayOutHold = 2000;

// The keys and buttons held down, by code: whether each press went on down
// the chain or was swallowed. A release is swallowed only when its press
// was, so that no program is left with a key held that it never sees let go.
template <std::size_t Codes>
class HeldPresses {
 public:
  // The codes down when the hook arrives were passed on before it.
  void Restart(const std::bitset<Codes>& downNow) {
    passed_ = downNow;
    swallowed_.reset();
  }
  // A press the hook had not seen held, rather than one held or repeating.
  bool NewPress(std::size_t code) const { return !passed_.test(code) && !swallowed_.test(code); }
  // Whether the event is swallowed, given whether its code is listed.
  bool Decide(std::size_t code, bool down, bool listed) {
    if (down) {
      (listed ? swallowed_ : passed_).set(code);
      return listed;
    }
    const bool swallow = swallowed_.test(code) && !passed_.test(code);
    passed_.reset(code);
    swallowed_.reset(code);
    return swallow;
  }

 private:
  std::bitset<Codes> passed_, swallowed_;
};

// The system-wide keyboard and mouse hooks that swallow every event whose
// virtual-key code or mouse message stands in the block list, read afresh for
// every event; while the file cannot be read (another program holds it
// without sharing, a cleaner took it away), by the list as last read, so that
// such a moment never lets everything through. The release of a key or
// button goes by its press, whatever the list says now. The decision is made
// here; installing, decoding and chaining are the platform's.
class KBMouseHook : public HookProcedures {
 public:
  KBMouseHook(HookCalls& hooks, BlockListSource& blockList, InputState& keys, HookEvents& events);
  KBMouseHook(const KBMouseHook&) = delete;
  KBMouseHook& operator=(const KBMouseHook&) = delete;

  // Installs the hook; a failure is reported to the events, and nothing else.
  // The keys down at this moment were pressed before it. Must not be called
  // again while the hook is installed: the first hook could no longer be
  // removed.
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

  // The chord's keys as the keyboard hook saw them, counting only presses made
  // since it was installed: whether any is down, and since when, on the clock
  // of the events, all are.
  struct ChordKeys {
    bool anyDown = false;
    std::optional<std::uint32_t> allDownSince;
  };
  ChordKeys WayOutKeys() const;

 private:
  static constexpr std::size_t kKeyboard = static_cast<std::size_t>(HookKind::Keyboard);
  static constexpr std::size_t kMouse = static_cast<std::size_t>(HookKind::Mouse);

  void Install(HookKind kind);
  bool Listed(std::uint32_t code);
  void NoteWayOut(const KeyEvent& event, bool newPress);

  // The procedures run on the hooks' own thread, the rest on the window's.
  // Used by the window's thread alone: the calls, the key state, the events,
  // the handles.
  HookCalls& hooks_;
  InputState& keys_;
  HookEvents& events_;
  // By HookKind.
  std::array<HookHandle, 2> handles_{};
  // Read by the procedures: a source that changes nothing of its own.
  BlockListSource& blockList_;
  // The list as last read, empty before the first read. Used by the
  // procedures alone, which all run on the hooks' one thread.
  std::array<char, kBlockListReadLimit> lastList_{};
  std::size_t lastListSize_ = 0;
  // Keys by virtual-key code, buttons as left, right, middle. Set before the
  // hook of their kind is installed and used by its procedure alone after:
  // the installation hands them over, and removal waits for the procedure.
  HeldPresses<256> heldKeys_;
  HeldPresses<3> heldButtons_;
  // By HookKind, the time of the latest event above kSeen, or 0 before the
  // first. Noted by the procedures for the watch to read: atomic.
  static constexpr std::uint64_t kSeen = std::uint64_t{1} << 32;
  std::array<std::atomic<std::uint64_t>, 2> lastEvents_{};
  // The chord's keys down, a bit each by kWayOutKeys, and the time the last
  // of them went down; written by the keyboard procedure alone, the mask
  // last, and read by the locking's tick: atomic.
  static constexpr std::uint32_t kAllWayOutKeys = (1u << kWayOutKeys.size()) - 1;
  std::atomic<std::uint32_t> wayOutDown_{0};
  std::atomic<std::uint32_t> wayOutSince_{0};
};

}  // namespace tallowmere
