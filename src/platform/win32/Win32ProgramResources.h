#pragma once

#include <windows.h>

#include "platform/ProgramResources.h"

namespace tallowmere {

// The resources linked into the executable (or into the given module); the
// program icon and the locked icon are the icon resources of the given ids.
class Win32ProgramResources final : public ProgramResources {
 public:
  Win32ProgramResources(int iconId, int lockedIconId, HMODULE module = GetModuleHandleW(nullptr))
      : iconId_(iconId), lockedIconId_(lockedIconId), module_(module) {}

  // Both throw AppError when the executable has no such icon.
  std::shared_ptr<const PictureObject> ProgramIcon() override;
  std::shared_ptr<const PictureObject> LockedIcon() override;

 private:
  HICON LoadIconOfSize(int id, int width, int height) const;
  HICON LoadSmallIcon(int id) const;

  int iconId_;
  int lockedIconId_;
  HMODULE module_;
  std::shared_ptr<const PictureObject> icon_;
  std::shared_ptr<const PictureObject> lockedIcon_;
};

}  // namespace tallowmere
