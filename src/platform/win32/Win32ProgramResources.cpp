#include "platform/win32/Win32ProgramResources.h"

#include <windows.h>

#include "app/resource.h"
#include "platform/win32/IconPicture.h"
#include "platform/win32/Text.h"
#include "shell/AppError.h"

namespace tallowmere {

std::shared_ptr<const PictureObject> Win32ProgramResources::ProgramIcon() {
  if (!icon_) {
    // The notification area and the caption show the small size.
    const auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (icon == nullptr) throw AppError(SystemErrorText(GetLastError()));
    icon_ = std::make_shared<IconPicture>(icon);
  }
  return icon_;
}

}  // namespace tallowmere
