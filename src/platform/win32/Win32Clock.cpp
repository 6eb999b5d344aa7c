#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace tallowmere {

std::chrono::milliseconds Win32Clock::Now() {
  return std::chrono::milliseconds(static_cast<std::chrono::milliseconds::rep>(GetTickCount64()));
}

}  // namespace tallowmere
