#pragma once

#include <cstdint>

namespace tallowmere {

// The kinds of image a picture can hold, with the window toolkit's type codes.
enum class PictureType : int { None = 0, Bitmap = 1, Metafile = 2, Icon = 3, EnhancedMetafile = 4 };

// A shared picture object: its kind and the system handle of its image. The
// object owns the image; whoever holds a reference keeps it alive.
class PictureObject {
 public:
  virtual ~PictureObject() = default;
  virtual PictureType Type() const = 0;
  virtual std::uintptr_t Handle() const = 0;
};

}  // namespace tallowmere
