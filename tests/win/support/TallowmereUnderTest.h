#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "win/support/RunningProgram.h"
#include "win/support/TestFolder.h"

namespace tallowmere::test {

inline constexpr std::wstring_view kMainWindowTitle = L"Tallowmere";
// Where the program keeps its two per-user settings.
inline constexpr std::wstring_view kSettingsKey = L"Software\\Varnholt\\Tallowmere";

// Tallowmere.exe as a user meets it first: installed into a fresh program
// folder of the test, its settings removed, with a TEMP folder of the test's
// own (the name may hold any characters). Files and settings can be put in
// place before Start; the program ends with the object.
class TallowmereUnderTest {
 public:
  explicit TallowmereUnderTest(std::wstring_view tempName = L"Temp");

  // Starts the program and waits for its main window; returns it, or
  // nullptr when it did not appear in time.
  HWND Start();
  // Starts the program and returns at once, for a test that has to answer
  // what the program shows before its main window.
  void Launch();

  // What the next start gives the program as TEMP and TMP instead of Temp():
  // any path, or nothing for neither set.
  void SetProgramTemp(std::optional<std::filesystem::path> temp) { programTemp_ = std::move(temp); }

  HWND Window() const { return window_; }
  RunningProgram& Program() { return *program_; }
  const std::filesystem::path& Temp() const { return temp_; }
  const std::filesystem::path& ProgramFolder() const { return programFolder_; }
  std::filesystem::path BlockListFile() const { return temp_ / L"xsettings.txt"; }

 private:
  TestFolder folder_;
  std::filesystem::path temp_;
  std::filesystem::path programFolder_;
  std::optional<std::filesystem::path> programTemp_;
  std::unique_ptr<RunningProgram> program_;
  HWND window_ = nullptr;
};

}  // namespace tallowmere::test
