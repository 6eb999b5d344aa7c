#pragma once

#include <windows.h>

#include "platform/PictureObject.h"

namespace tallowmere {

// A picture that holds an icon and destroys it with the last reference. An
// icon of several sizes also keeps its large image, for the places that show
// the big icon (Alt+Tab, the taskbar).
class IconPicture final : public PictureObject {
 public:
  explicit IconPicture(HICON icon, HICON large = nullptr) : icon_(icon), large_(large) {}
  IconPicture(const IconPicture&) = delete;
  IconPicture& operator=(const IconPicture&) = delete;
  ~IconPicture() override {
    DestroyIcon(icon_);
    if (large_) DestroyIcon(large_);
  }

  PictureType Type() const override { return PictureType::Icon; }
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(icon_); }
  HICON Get() const { return icon_; }
  HICON Large() const { return large_ ? large_ : icon_; }

 private:
  HICON icon_;
  HICON large_;
};

}  // namespace tallowmere
