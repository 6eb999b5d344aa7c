#include "win/support/HookHost.h"

#include "win/support/RunningProgram.h"
#include "win/support/TallowmereBuild.h"

namespace tallowmere::test {
namespace {

int serial = 0;

}  // namespace

HookHost::HookHost(const std::wstring& mode, const std::filesystem::path& temp)
    : ackName_(L"TallowmereHookHost-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(serial++)),
      ack_(CreateEventW(nullptr, FALSE, FALSE, ackName_.c_str())) {
  const std::wstring exe = (TestProgramFolder() / L"hook_host.exe").wstring();
  std::wstring commandLine = L"\"" + exe + L"\" " + mode + L" " + ackName_;
  std::wstring environment = EnvironmentWithTemp(temp);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup, &info)) {
    error_ = L"cannot start " + exe + L": error " + std::to_wstring(GetLastError());
    return;
  }
  Handle thread(info.hThread);
  process_.emplace(info.hProcess);
  threadId_ = info.dwThreadId;
  WaitForAck(L"installing the hooks");
}

HookHost::~HookHost() {
  if (!process_) return;
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  if (WaitForSingleObject(process_->Get(), 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process_->Get(), 1);
    WaitForSingleObject(process_->Get(), 10000);
  }
}

void HookHost::Command(UINT message, const wchar_t* what) {
  if (!error_.empty()) return;
  PostThreadMessageW(threadId_, message, 0, 0);
  WaitForAck(what);
}

void HookHost::WaitForAck(const wchar_t* what) {
  const HANDLE handles[] = {ack_.Get(), process_->Get()};
  const DWORD result = WaitForMultipleObjects(2, handles, FALSE, 20000);
  if (result == WAIT_OBJECT_0) return;
  DWORD code = 0;
  GetExitCodeProcess(process_->Get(), &code);
  error_ = std::wstring(L"hook_host did not answer ") + what + L" (exit code " +
           std::to_wstring(code) + L")";
}

}  // namespace tallowmere::test
