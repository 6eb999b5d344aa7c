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

void SetRegistryValue(HKEY root, std::wstring_view path, const wchar_t* name, DWORD type,
                      std::string_view bytes) {
  const std::wstring key(path);
  RegKey created;
  LSTATUS status = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                   created.Receive(), nullptr);
  if (status == ERROR_SUCCESS) {
    status =
        RegSetValueExW(created.Get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
  }
  if (status != ERROR_SUCCESS) {
    throw std::runtime_error("cannot set " + Utf8(name) + " under " + Utf8(key) + ": " +
                             SystemErrorText(static_cast<DWORD>(status)));
  }
}

void SetRegistryText(HKEY root, std::wstring_view path, const wchar_t* name,
                     std::wstring_view text) {
  const std::wstring terminated(text);
  SetRegistryValue(root, path, name, REG_SZ,
                   {reinterpret_cast<const char*>(terminated.c_str()),
                    (terminated.size() + 1) * sizeof(wchar_t)});
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
