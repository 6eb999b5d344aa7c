#pragma once

#include <windows.h>

#include <string>

namespace tallowmere {

// A file that the build places beside the test program, such as
// Tallowmere.exe or HAND-M.CUR.
inline std::wstring BesideTests(const std::wstring& name) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder + name;
}

}  // namespace tallowmere
