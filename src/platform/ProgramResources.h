#pragma once

#include <memory>

#include "platform/PictureObject.h"

namespace tallowmere {

// What the executable carries besides its code.
class ProgramResources {
 public:
  virtual ~ProgramResources() = default;
  // The program icon, the blue letter V: the window's and the tray's. Every
  // call gives the same picture.
  virtual std::shared_ptr<const PictureObject> ProgramIcon() = 0;
  // The program icon with a padlock, the tray's while locking, in the small
  // size only. Every call gives the same picture.
  virtual std::shared_ptr<const PictureObject> LockedIcon() = 0;
};

}  // namespace tallowmere
