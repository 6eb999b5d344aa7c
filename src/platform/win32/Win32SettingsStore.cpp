#include "platform/win32/Win32SettingsStore.h"

#include <windows.h>

#include "platform/AppError.h"
#include "platform/win32/RegKey.h"
#include "platform/win32/Text.h"

namespace tallowmere {

namespace {

std::wstring SectionKey(const std::string& application, const std::string& section) {
  return L"Software\\" + Wide(application) + L"\\" + Wide(section);
}

}  // namespace

std::string Win32SettingsStore::Get(const std::string& application, const std::string& section,
                                    const std::string& key, const std::string& fallback) {
  RegKey sectionKey;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey(application, section).c_str(), 0, KEY_QUERY_VALUE,
                    sectionKey.Receive()) != ERROR_SUCCESS) {
    return fallback;
  }
  const std::wstring name = Wide(key);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(sectionKey.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return fallback;
  }
  // The stored text need not end with a NUL: room for one more character.
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegQueryValueExW(sectionKey.Get(), name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS) {
    return fallback;
  }
  value.resize(size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return Utf8(value);
}

void Win32SettingsStore::Set(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& value) {
  RegKey sectionKey;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(application, section).c_str(), 0,
                                   nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                   sectionKey.Receive(), nullptr);
  if (status == ERROR_SUCCESS) {
    const std::wstring data = Wide(value);
    status = RegSetValueExW(sectionKey.Get(), Wide(key).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  }
  if (status != ERROR_SUCCESS) throw AppError(SystemErrorText(static_cast<DWORD>(status)));
}

}  // namespace tallowmere
