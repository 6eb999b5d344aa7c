#include "platform/win32/Win32ProgramResources.h"

#include <windows.h>

#include "platform/AppError.h"
#include "platform/win32/IconPicture.h"
#include "platform/win32/Text.h"

namespace tallowmere {

HICON Win32ProgramResources::LoadIconOfSize(int id, int width, int height) const {
  return static_cast<HICON>(
      LoadImageW(module_, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

// The notification area and the caption show the small size.
HICON Win32ProgramResources::LoadSmallIcon(int id) const {
  const HICON icon =
      LoadIconOfSize(id, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  if (icon == nullptr) throw AppError(SystemErrorText(GetLastError()));
  return icon;
}

std::shared_ptr<const PictureObject> Win32ProgramResources::ProgramIcon() {
  if (!icon_) {
    const HICON icon = LoadSmallIcon(iconId_);
    icon_ = std::make_shared<IconPicture>(
        icon, LoadIconOfSize(iconId_, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
  }
  return icon_;
}

std::shared_ptr<const PictureObject> Win32ProgramResources::LockedIcon() {
  if (!lockedIcon_) lockedIcon_ = std::make_shared<IconPicture>(LoadSmallIcon(lockedIconId_));
  return lockedIcon_;
}

}  // namespace tallowmere
