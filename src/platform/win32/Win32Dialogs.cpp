#include "platform/win32/Win32Dialogs.h"

#include "platform/win32/Text.h"

namespace tallowmere {

void Win32Dialogs::Show(const std::string& text, const std::string& caption, DialogIcon icon) {
  const UINT style =
      MB_OK | MB_TASKMODAL | (icon == DialogIcon::Exclamation ? MB_ICONEXCLAMATION : 0);
  MessageBoxW(owner_, Wide(text).c_str(), Wide(caption).c_str(), style);
}

}  // namespace tallowmere
