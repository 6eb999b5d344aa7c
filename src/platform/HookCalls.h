#pragma once

#include <cstdint>

namespace tallowmere {

// The values of a low-level hook call, as wide as the platform's own.
using HookHandle = std::uintptr_t;  // 0 when no hook was installed
using HookWParam = std::uintptr_t;
using HookLParam = std::intptr_t;
using HookResult = std::intptr_t;

enum class HookKind { Keyboard, Mouse };

struct HookInstall {
  HookHandle handle;    // 0 on failure
  std::uint32_t error;  // the system's error code of a failed installation
};

// Installing, chaining and removing the system-wide low-level hooks whose
// procedures are KBMouseHook's KeyboardProc and MouseProc. CallNext and KeyCode
// run for every input event of the desktop and must return promptly.
class HookCalls {
 public:
  virtual ~HookCalls() = default;
  virtual HookInstall Install(HookKind kind) = 0;
  // The result of removal is of no use to the program: it is not reported.
  virtual void Remove(HookHandle handle) = 0;
  virtual HookResult CallNext(HookHandle handle, int nCode, HookWParam wParam,
                              HookLParam lParam) = 0;
  // The virtual-key code of the keyboard event record that lParam points to.
  virtual std::uint32_t KeyCode(HookLParam lParam) = 0;
};

}  // namespace tallowmere
