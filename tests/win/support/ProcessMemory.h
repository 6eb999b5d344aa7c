#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace tallowmere::test {

// What a process holds, in bytes, as GetProcessMemoryInfo reports it.
struct ProcessMemory {
  std::size_t workingSet = 0;
  std::size_t peakWorkingSet = 0;
  std::size_t privateBytes = 0;  // PagefileUsage: memory committed to the process alone
  std::size_t peakPrivateBytes = 0;
};

// Nothing when the process is gone or cannot be asked.
std::optional<ProcessMemory> MemoryOf(DWORD processId);

}  // namespace tallowmere::test
