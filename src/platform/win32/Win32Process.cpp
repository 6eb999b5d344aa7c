#include "platform/win32/Win32Process.h"

#include <windows.h>

namespace tallowmere {

void Win32Process::End() {
  ExitProcess(0);
}

}  // namespace tallowmere
