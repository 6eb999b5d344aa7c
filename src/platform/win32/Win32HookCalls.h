#pragma once

#include <windows.h>

#include <vector>

#include "platform/HookCalls.h"

namespace tallowmere {

// The system-wide low-level hooks. Hooks still installed when this object
// ends are removed then.
class Win32HookCalls : public HookCalls {
 public:
  Win32HookCalls() = default;
  Win32HookCalls(const Win32HookCalls&) = delete;
  Win32HookCalls& operator=(const Win32HookCalls&) = delete;
  ~Win32HookCalls() override;

  HookInstall Install(HookKind kind, HookProcedures& procedures) override;
  void Remove(HookHandle handle) override;

 private:
  std::vector<HHOOK> installed_;
};

}  // namespace tallowmere
