#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Handle.h"

namespace tallowmere {

// The thread messages that make the host remove its hooks and put them in
// again.
constexpr UINT kRemoveHooks = WM_APP + 1;
constexpr UINT kInstallHooks = WM_APP + 2;

// An environment block: this process's own with TEMP and TMP replaced.
inline std::wstring EnvironmentWithTemp(const std::wstring& temp) {
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry != L'\0'; entry += lstrlenW(entry) + 1) {
    if (CompareStringOrdinal(entry, 5, L"TEMP=", 5, TRUE) == CSTR_EQUAL ||
        CompareStringOrdinal(entry, 4, L"TMP=", 4, TRUE) == CSTR_EQUAL) {
      continue;
    }
    block += entry;
    block += L'\0';
  }
  FreeEnvironmentStringsW(strings);
  block += L"TEMP=" + temp + L'\0' + L"TMP=" + temp + L'\0';
  block += L'\0';
  return block;
}

// hook_host.exe, started beside this program with TEMP pointing at a folder
// of the caller's (Wine gives a program the TEMP of its prefix otherwise).
// The host process ends with this object.
class HookHost {
 public:
  HookHost(const std::wstring& mode, const std::wstring& temp)
      : ackName_(L"TallowmereHookHost-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(serial_++)),
        ack_(CreateEventW(nullptr, FALSE, FALSE, ackName_.c_str())) {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe(self, n);
    exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"hook_host.exe";
    std::wstring commandLine = L"\"" + exe + L"\" " + mode + L" " + ackName_;
    std::wstring environment = EnvironmentWithTemp(temp);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                        &process_)) {
      error_ = L"cannot start " + exe + L": error " + std::to_wstring(GetLastError());
      return;
    }
    CloseHandle(process_.hThread);
    WaitForAck(L"installing the hooks");
  }
  HookHost(const HookHost&) = delete;
  HookHost& operator=(const HookHost&) = delete;
  ~HookHost() {
    if (process_.hProcess == nullptr) return;
    PostThreadMessageW(process_.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hProcess);
  }

  // Empty when the host is ready; what went wrong otherwise.
  const std::wstring& Error() const { return error_; }

  void RemoveHooks() { Command(kRemoveHooks, L"removing the hooks"); }
  void InstallHooks() { Command(kInstallHooks, L"installing the hooks again"); }

 private:
  void Command(UINT message, const wchar_t* what) {
    if (!error_.empty()) return;
    PostThreadMessageW(process_.dwThreadId, message, 0, 0);
    WaitForAck(what);
  }

  void WaitForAck(const wchar_t* what) {
    const HANDLE handles[] = {ack_.Get(), process_.hProcess};
    const DWORD result = WaitForMultipleObjects(2, handles, FALSE, 20000);
    if (result == WAIT_OBJECT_0) return;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    error_ = std::wstring(L"hook_host did not answer ") + what + L" (exit code " +
             std::to_wstring(code) + L")";
  }

  static inline int serial_ = 0;
  std::wstring ackName_;
  Handle ack_;
  PROCESS_INFORMATION process_{};
  std::wstring error_;
};

}  // namespace tallowmere
