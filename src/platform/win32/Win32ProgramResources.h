#pragma once

#include "platform/ProgramResources.h"

namespace tallowmere {

// The resources linked into the executable.
class Win32ProgramResources final : public ProgramResources {
 public:
  // Throws AppError when the executable has no program icon.
  std::shared_ptr<const PictureObject> ProgramIcon() override;

 private:
  std::shared_ptr<const PictureObject> icon_;
};

}  // namespace tallowmere
