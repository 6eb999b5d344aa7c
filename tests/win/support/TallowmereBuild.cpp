#include "win/support/TallowmereBuild.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace tallowmere::test {

std::filesystem::path TestProgram() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw std::runtime_error("cannot find the test program's own path");
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path);
    }
    path.resize(path.size() * 2);
  }
}

std::filesystem::path TestProgramFolder() {
  return TestProgram().parent_path();
}

std::filesystem::path BuiltProgram() {
  return TestProgramFolder() / L"Tallowmere.exe";
}

std::filesystem::path InstallProgram(const TestFolder& folder) {
  const auto programFolder = folder.MakeFolder(L"program");
  for (const wchar_t* file : {L"Tallowmere.exe", L"HAND-M.CUR", L"xsettings.txt"}) {
    std::filesystem::copy_file(TestProgramFolder() / file, programFolder / file);
  }
  return programFolder / L"Tallowmere.exe";
}

}  // namespace tallowmere::test
