#pragma once

#include <windows.h>

#include "platform/PictureObject.h"
#include "platform/win32/Owned.h"

namespace tallowmere {

struct IconTraits {
  using Type = HICON;
  static HICON Empty() { return nullptr; }
  static void Release(HICON icon) { DestroyIcon(icon); }
};

// A picture that holds an icon and destroys it with the last reference. An
// icon of several sizes also keeps its large image, for the places that show
// the big icon (Alt+Tab, the taskbar).
class IconPicture final : public PictureObject {
 public:
  explicit IconPicture(HICON icon, HICON large = nullptr) : icon_(icon), large_(large) {}

  PictureType Type() const override { return PictureType::Icon; }
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(Get()); }
  HICON Get() const { return icon_.Get(); }
  HICON Large() const { return large_ ? large_.Get() : Get(); }

 private:
  Owned<IconTraits> icon_, large_;
};

}  // namespace tallowmere
