#pragma once

#include <windows.h>

#include "platform/ProgramResources.h"

namespace tallowmere {

// The resources linked into the executable (or into the given module).
class Win32ProgramResources final : public ProgramResources {
 public:
  explicit Win32ProgramResources(HMODULE module = GetModuleHandleW(nullptr)) : module_(module) {}

  // Throws AppError when the executable has no program icon.
  std::shared_ptr<const PictureObject> ProgramIcon() override;

 private:
  HICON LoadProgramIcon(int width, int height) const;

  HMODULE module_;
  std::shared_ptr<const PictureObject> icon_;
};

}  // namespace tallowmere
