#pragma once

#include <memory>
#include <string>

#include "platform/PictureObject.h"

namespace tallowmere {

// Pictures loaded from files.
class Pictures {
 public:
  virtual ~Pictures() = default;
  // Loads a Windows cursor file as a picture. A file that holds no loadable
  // cursor throws AppError.
  virtual std::shared_ptr<const PictureObject> LoadPicture(const std::string& path) = 0;
};

}  // namespace tallowmere
