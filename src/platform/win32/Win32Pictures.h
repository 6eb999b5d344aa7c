#pragma once

#include "platform/Pictures.h"

namespace tallowmere {

class Win32Pictures final : public Pictures {
 public:
  std::shared_ptr<const PictureObject> LoadPicture(const std::string& path) override;
};

}  // namespace tallowmere
