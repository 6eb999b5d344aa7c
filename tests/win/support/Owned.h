#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tallowmere::test {

// Gives a handle back to Windows with the function that owns it.
template <auto Release>
struct ReleaseWith {
  template <typename H>
  void operator()(H handle) const {
    Release(handle);
  }
};

// A handle of Windows (a window, a hook, an environment block) given back
// with Release when the object goes; null owns nothing.
template <typename H, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<H>, ReleaseWith<Release>>;

using OwnedWindow = Owned<HWND, DestroyWindow>;
using OwnedHook = Owned<HHOOK, UnhookWindowsHookEx>;

}  // namespace tallowmere::test
