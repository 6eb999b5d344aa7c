#pragma once

#include <string>

#include "platform/NotificationArea.h"

namespace tallowmere {

// Shell_NotifyIconA with the version-2 record of the platform the program
// was built for.
class Win32NotificationArea final : public NotificationArea {
 public:
  bool ShellNotifyIcon(NotifyMessage message, const NotifyIconRecord& record) override;
};

// UTF-8 text in the system's 8-bit code page; characters it lacks become '?'.
std::string SystemCodePageText(const std::string& utf8);

}  // namespace tallowmere
