#include "platform/win32/Win32ProgramResources.h"

#include <windows.h>

#include "platform/AppError.h"
#include "platform/win32/IconPicture.h"
#include "platform/win32/Text.h"

namespace tallowmere {

HICON Win32ProgramResources::LoadProgramIcon(int width, int height) const {
  return static_cast<HICON>(
      LoadImageW(module_, MAKEINTRESOURCEW(iconId_), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

std::shared_ptr<const PictureObject> Win32ProgramResources::ProgramIcon() {
  if (!icon_) {
    // The notification area and the caption show the small size.
    const HICON icon =
        LoadProgramIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    if (icon == nullptr) throw AppError(SystemErrorText(GetLastError()));
    icon_ = std::make_shared<IconPicture>(
        icon, LoadProgramIcon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
  }
  return icon_;
}

}  // namespace tallowmere
