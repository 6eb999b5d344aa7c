#pragma once

#include <windows.h>

#include <string>

namespace tallowmere {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// The system's description of an error code, without the trailing line break.
std::string SystemErrorText(DWORD code);
std::wstring WindowText(HWND window);

}  // namespace tallowmere
