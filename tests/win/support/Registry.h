#pragma once

#include <windows.h>

#include <string_view>

namespace tallowmere::test {

// Removes a registry key with all its values and sub-keys; a missing key is
// no failure. Tests use it to start from the state of a fresh installation.
void DeleteRegistryTree(HKEY root, std::wstring_view path);

bool RegistryKeyExists(HKEY root, std::wstring_view path);

}  // namespace tallowmere::test
