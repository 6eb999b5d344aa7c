#include "win/support/ProcessMemory.h"

#include <psapi.h>

#include "platform/win32/Handle.h"

namespace tallowmere::test {

std::optional<ProcessMemory> MemoryOf(DWORD processId) {
  const Handle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!process.Valid() || !GetProcessMemoryInfo(process.Get(), &counters, sizeof counters)) {
    return std::nullopt;
  }
  return ProcessMemory{counters.WorkingSetSize, counters.PeakWorkingSetSize, counters.PagefileUsage,
                       counters.PeakPagefileUsage};
}

}  // namespace tallowmere::test
