#pragma once

#include <windows.h>

#include <vector>

#include "platform/HookCalls.h"

namespace tallowmere {

// The system-wide low-level hooks whose procedures hand every event to
// KBMouseHook. Hooks still installed when this object ends are removed then.
class Win32HookCalls : public HookCalls {
 public:
  Win32HookCalls() = default;
  Win32HookCalls(const Win32HookCalls&) = delete;
  Win32HookCalls& operator=(const Win32HookCalls&) = delete;
  ~Win32HookCalls() override;

  HookInstall Install(HookKind kind) override;
  void Remove(HookHandle handle) override;
  HookResult CallNext(HookHandle handle, int nCode, HookWParam wParam, HookLParam lParam) override;
  std::uint32_t KeyCode(HookLParam lParam) override;

 private:
  std::vector<HHOOK> installed_;
};

}  // namespace tallowmere
