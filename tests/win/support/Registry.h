#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tallowmere::test {

// Removes a registry key with all its values and sub-keys; a missing key is
// no failure. Tests use it to start from the state of a fresh installation.
void DeleteRegistryTree(HKEY root, std::wstring_view path);

bool RegistryKeyExists(HKEY root, std::wstring_view path);

// Creates the key when it is missing and sets the value to exactly these
// bytes of this type; throws on failure.
void SetRegistryValue(HKEY root, std::wstring_view path, const wchar_t* name, DWORD type,
                      std::string_view bytes);
void SetRegistryText(HKEY root, std::wstring_view path, const wchar_t* name,
                     std::wstring_view text);

// A text value (REG_SZ), or nothing when the key or the value is missing.
std::optional<std::wstring> RegistryText(HKEY root, std::wstring_view path, const wchar_t* name);

}  // namespace tallowmere::test
