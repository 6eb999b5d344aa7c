#include "platform/win32/Win32Environment.h"

#include <windows.h>

#include "platform/win32/Text.h"

namespace tallowmere {

std::string Win32Environment::Variable(const std::string& name) {
  const std::wstring wideName = Wide(name);
  std::wstring value(256, L'\0');
  while (true) {
    const DWORD n =
        GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (n == 0) return {};
    if (n < value.size()) {
      value.resize(n);
      return Utf8(value);
    }
    value.resize(n);
  }
}

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::string Win32Environment::ProgramFolder() {
  const std::wstring path = ModulePath();
  std::size_t slash = path.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // a drive root keeps its backslash
  return Utf8(folder);
}

std::string Win32Environment::ProgramFileName() {
  const std::wstring path = ModulePath();
  const std::size_t slash = path.find_last_of(L"\\/");
  return Utf8(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

}  // namespace tallowmere
