#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/win32/Handle.h"

namespace tallowmere::test {

// The thread messages that make the host remove its hooks and put them in
// again.
constexpr UINT kRemoveHooks = WM_APP + 1;
constexpr UINT kInstallHooks = WM_APP + 2;

// hook_host.exe, started beside this program with TEMP pointing at a folder
// of the caller's (Wine gives a program the TEMP of its prefix otherwise).
// The host process ends with this object.
class HookHost {
 public:
  HookHost(const std::wstring& mode, const std::filesystem::path& temp);
  HookHost(const HookHost&) = delete;
  HookHost& operator=(const HookHost&) = delete;
  ~HookHost();

  // Empty when the host is ready; what went wrong otherwise.
  const std::wstring& Error() const { return error_; }

  void RemoveHooks() { Command(kRemoveHooks, L"removing the hooks"); }
  void InstallHooks() { Command(kInstallHooks, L"installing the hooks again"); }

 private:
  void Command(UINT message, const wchar_t* what);
  void WaitForAck(const wchar_t* what);

  std::wstring ackName_;
  Handle ack_;
  std::optional<Handle> process_;
  DWORD threadId_ = 0;
  std::wstring error_;
};

}  // namespace tallowmere::test
