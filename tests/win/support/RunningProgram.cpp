#include "win/support/RunningProgram.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/win32/Text.h"
#include "win/support/Owned.h"

namespace tallowmere::test {
namespace {

// The wine loader now and then exits at once with status 1 before the
// program runs; such a start is tried once more.
constexpr DWORD kLoaderFailure = 1;

std::wstring_view NameOf(std::wstring_view entry) {
  // Entries such as "=C:=C:\dir" start with '='; their name includes it.
  const auto equals = entry.find(L'=', 1);
  return entry.substr(0, equals);
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool NameBefore(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
}

}  // namespace

std::wstring EnvironmentWithTemp(const std::optional<std::filesystem::path>& temp) {
  std::vector<std::wstring> entries;
  {
    const Owned<wchar_t*, FreeEnvironmentStringsW> block(GetEnvironmentStringsW());
    if (!block) throw std::runtime_error("cannot read the environment");
    for (const wchar_t* entry = block.get(); *entry; entry += wcslen(entry) + 1) {
      std::wstring_view name = NameOf(entry);
      if (!SameName(name, L"TEMP") && !SameName(name, L"TMP")) entries.emplace_back(entry);
    }
  }
  if (temp) {
    entries.push_back(L"TEMP=" + temp->wstring());
    entries.push_back(L"TMP=" + temp->wstring());
  }
  // Windows expects the block sorted by name, case-insensitively.
  std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
    return NameBefore(NameOf(a), NameOf(b));
  });
  std::wstring block;
  for (const auto& entry : entries) {
    block += entry;
    block += L'\0';
  }
  block += L'\0';
  return block;
}

RunningProgram::RunningProgram(ProgramStart start) : start_(std::move(start)) {
  Launch();
}

RunningProgram::~RunningProgram() {
  End();
}

void RunningProgram::Launch() {
  std::wstring commandLine = L"\"" + start_.exe.wstring() + L"\"";
  if (!start_.arguments.empty()) commandLine += L" " + start_.arguments;
  std::wstring environment = EnvironmentWithTemp(start_.temp);
  const std::wstring folder = start_.exe.parent_path().wstring();

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(start_.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(), folder.c_str(), &startup,
                      &info)) {
    const DWORD error = GetLastError();
    throw std::runtime_error("cannot start " + Utf8(start_.exe.wstring()) + ": " +
                             SystemErrorText(error));
  }
  Handle thread(info.hThread);
  process_.emplace(info.hProcess);
  id_ = info.dwProcessId;
}

bool RunningProgram::HasExited() const {
  return WaitForSingleObject(process_->Get(), 0) == WAIT_OBJECT_0;
}

std::optional<DWORD> RunningProgram::ExitCode() const {
  DWORD code = 0;
  if (!HasExited() || !GetExitCodeProcess(process_->Get(), &code)) return std::nullopt;
  return code;
}

std::vector<HWND> RunningProgram::TopLevelWindows() const {
  struct Search {
    DWORD id;
    std::vector<HWND> found;
  } search{id_, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s.id) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND RunningProgram::WaitForMainWindow(std::wstring_view title, std::chrono::milliseconds timeout) {
  bool retried = false;
  HWND found = nullptr;
  const auto lookForWindow = [&] {
    for (HWND window : TopLevelWindows()) {
      wchar_t text[256] = {};
      GetWindowTextW(window, text, 256);
      if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr && title == text) {
        found = window;
        return true;
      }
    }
    return false;
  };
  while (WaitFor([&] { return lookForWindow() || HasExited(); }, timeout)) {
    if (found) break;
    if (retried || ExitCode() != kLoaderFailure) return nullptr;
    retried = true;
    Launch();
  }
  mainWindow_ = found;
  return found;
}

std::optional<DWORD> RunningProgram::WaitForExit() {
  if (WaitFor([this] { return HasExited(); }) && ExitCode() == kLoaderFailure) Launch();
  WaitFor([this] { return HasExited(); });
  return ExitCode();
}

bool RunningProgram::End(std::chrono::milliseconds grace) {
  if (!process_ || HasExited()) return true;
  if (mainWindow_ && IsWindow(mainWindow_)) {
    PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
  } else {
    for (HWND window : TopLevelWindows()) {
      if (IsWindowVisible(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    }
  }
  if (WaitFor([this] { return HasExited(); }, grace)) return true;
  TerminateProcess(process_->Get(), 1);
  WaitForSingleObject(process_->Get(), static_cast<DWORD>(kPatience.count()));
  return false;
}

}  // namespace tallowmere::test
