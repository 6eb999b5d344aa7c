#include "win/support/Registry.h"

#include <stdexcept>
#include <string>

#include "platform/win32/RegKey.h"
#include "platform/win32/Text.h"

namespace tallowmere::test {

void DeleteRegistryTree(HKEY root, std::wstring_view path) {
  const std::wstring key(path);
  const LSTATUS status = RegDeleteTreeW(root, key.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot delete the registry key " + Utf8(key) + ": " +
                             SystemErrorText(static_cast<DWORD>(status)));
  }
}

bool RegistryKeyExists(HKEY root, std::wstring_view path) {
  const std::wstring key(path);
  RegKey opened;
  return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

std::optional<std::wstring> RegistryText(HKEY root, std::wstring_view path, const wchar_t* name) {
  const std::wstring key(path);
  wchar_t data[1024];
  DWORD size = sizeof data;
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(data, size / sizeof(wchar_t) - 1);
}

}  // namespace tallowmere::test
