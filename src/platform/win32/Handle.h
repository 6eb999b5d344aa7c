#pragma once

#include <windows.h>

#include "platform/win32/Owned.h"

namespace tallowmere {

struct KernelHandleTraits {
  using Type = HANDLE;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Release(HANDLE handle) { CloseHandle(handle); }
};
// Owns a kernel handle such as an open file.
using Handle = Owned<KernelHandleTraits>;

struct FindHandleTraits {
  using Type = HANDLE;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Release(HANDLE handle) { FindClose(handle); }
};
// Owns a directory search begun by FindFirstFileW.
using FindHandle = Owned<FindHandleTraits>;

}  // namespace tallowmere
