#pragma once

#include <windows.h>

#include "platform/ProgramResources.h"

namespace tallowmere {

// The resources linked into the executable (or into the given module); the
// program icon is the icon resource of the given id.
class Win32ProgramResources final : public ProgramResources {
 public:
  explicit Win32ProgramResources(int iconId, HMODULE module = GetModuleHandleW(nullptr))
      : iconId_(iconId), module_(module) {}

  // Throws AppError when the executable has no program icon.
  std::shared_ptr<const PictureObject> ProgramIcon() override;

 private:
  HICON LoadProgramIcon(int width, int height) const;

  int iconId_;
  HMODULE module_;
  std::shared_ptr<const PictureObject> icon_;
};

}  // namespace tallowmere
