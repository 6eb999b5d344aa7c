#pragma once

#include "platform/NotifyIconData.h"

namespace tallowmere {

// The notification area's one call, Shell_NotifyIcon.
class NotificationArea {
 public:
  virtual ~NotificationArea() = default;
  // True when the system accepted the request. The tray control never looks
  // at it; it is there for the tests of the Windows layer.
  virtual bool ShellNotifyIcon(NotifyMessage message, const NotifyIconRecord& record) = 0;
};

}  // namespace tallowmere
