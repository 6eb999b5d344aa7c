#pragma once

#include <windows.h>

#include "platform/win32/Owned.h"

namespace tallowmere {

struct RegKeyTraits {
  using Type = HKEY;
  static HKEY Empty() { return nullptr; }
  static void Release(HKEY key) { RegCloseKey(key); }
};
// Owns an open registry key.
using RegKey = Owned<RegKeyTraits>;

}  // namespace tallowmere
