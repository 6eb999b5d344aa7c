#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/Handle.h"
#include "win/support/Wait.h"

namespace tallowmere::test {

struct ProgramStart {
  std::filesystem::path exe;
  // The program's TEMP and TMP; nothing starts it with neither set.
  std::optional<std::filesystem::path> temp;
  std::wstring arguments;  // the command line after the program's name
};

// A program this test started, with its own environment block, ended when
// the object goes: asked to close first, terminated if it does not.
class RunningProgram {
 public:
  explicit RunningProgram(ProgramStart start);
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();

  DWORD Id() const { return id_; }
  bool HasExited() const;
  std::optional<DWORD> ExitCode() const;

  // The program's visible top-level window without owner that carries this
  // title, once it appears; nullptr when it does not within the time-out.
  HWND WaitForMainWindow(std::wstring_view title, std::chrono::milliseconds timeout = kPatience);

  // Its exit code once it ended by itself, started again when the loader failed.
  std::optional<DWORD> WaitForExit();

  std::vector<HWND> TopLevelWindows() const;

  // Posts WM_CLOSE to the main window (or, before one was found, to every
  // visible top-level window of the program) and waits for the process to
  // end; terminates it when it is still running after the grace period.
  // Returns whether it ended by itself.
  bool End(std::chrono::milliseconds grace = 10s);

 private:
  void Launch();

  ProgramStart start_;
  std::optional<Handle> process_;
  DWORD id_ = 0;
  HWND mainWindow_ = nullptr;
};

// The environment of this process with TEMP and TMP replaced, or removed
// when there is no temp, as a sorted block of UTF-16 strings for
// CreateProcessW.
std::wstring EnvironmentWithTemp(const std::optional<std::filesystem::path>& temp);

}  // namespace tallowmere::test
