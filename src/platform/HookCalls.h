#pragma once

#include <cstdint>

namespace tallowmere {

using HookHandle = std::uintptr_t;  // 0 when no hook was installed

enum class HookKind { Keyboard, Mouse };

struct HookInstall {
  HookHandle handle;    // 0 on failure
  std::uint32_t error;  // the system's error code of a failed installation
};

// One input event as a low-level hook procedure receives it, decoded.
struct KeyEvent {
  std::uint32_t vkCode;
  bool down;               // pressed or repeated; false when released
  bool injected;           // sent by a program rather than typed
  std::uint32_t time = 0;  // when the system received it, milliseconds since it started
};
struct MouseEvent {
  std::uint32_t message;  // WM_MOUSEMOVE, WM_LBUTTONDOWN, ...
  bool injected;
  std::uint32_t time = 0;
};

// Decides, for every input event of the desktop, whether a hook swallows it.
// Called on a thread that serves the hooks, not the caller's of Install:
// what a procedure shares with other threads must be safe across them, and
// each call must return promptly.
class HookProcedures {
 public:
  // True swallows the event; false passes it on down the hook chain.
  virtual bool KeyboardProc(const KeyEvent& event) = 0;
  virtual bool MouseProc(const MouseEvent& event) = 0;

 protected:
  ~HookProcedures() = default;
};

// Installing and removing the system-wide low-level hooks. The platform's own
// procedure decodes each event, asks `procedures` and chains the event on.
// Install and Remove return once done, whatever thread serves the hooks.
class HookCalls {
 public:
  virtual ~HookCalls() = default;
  // `procedures` must outlive the hook.
  virtual HookInstall Install(HookKind kind, HookProcedures& procedures) = 0;
  // The result of removal is of no use to the program: it is not reported.
  virtual void Remove(HookHandle handle) = 0;
};

}  // namespace tallowmere
