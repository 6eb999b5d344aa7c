#pragma once

#include <windows.h>

#include "platform/PictureObject.h"

namespace tallowmere {

// A picture that holds an icon and destroys it with the last reference.
class IconPicture final : public PictureObject {
 public:
  explicit IconPicture(HICON icon) : icon_(icon) {}
  IconPicture(const IconPicture&) = delete;
  IconPicture& operator=(const IconPicture&) = delete;
  ~IconPicture() override { DestroyIcon(icon_); }

  PictureType Type() const override { return PictureType::Icon; }
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(icon_); }
  HICON Get() const { return icon_; }

 private:
  HICON icon_;
};

}  // namespace tallowmere
