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

}  // namespace tallowmere::test
