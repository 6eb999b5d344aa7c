#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/ControlWindow.h"
#include "platform/MessagePump.h"
#include "platform/NotificationArea.h"
#include "platform/NotifyIconData.h"
#include "platform/PictureObject.h"
#include "platform/TrayRouting.h"
#include "platform/WindowHandle.h"
#include "tray/PropertyBag.h"

namespace tallowmere {

// The services of the system that the tray control uses.
struct TrayPlatform {
  NotificationArea& notificationArea;
  TrayRouting& routing;
  MessagePump& pump;
  Clock& clock;
  ControlWindows& windows;
};

inline constexpr char kDefaultTrayTip[] = "Telnet Server";

// Mouse buttons as the tray events report them.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;

// A control that owns one icon in the notification area. The icon's clicks
// arrive through the routing of its own window and come out as events.
class cSysTray final : public TrayMessageTarget {
 public:
  // Create: makes the control's own window, which the notification area
  // sends its messages to. `userMode` is false while a window designer hosts
  // the control, which then never touches the notification area.
  cSysTray(TrayPlatform& platform, bool userMode);
  // Destroy: an icon in the tray is taken out.
  ~cSysTray();
  cSysTray(const cSysTray&) = delete;
  cSysTray& operator=(const cSysTray&) = delete;

  // Persistent properties: a newly placed instance, one read from the window
  // that holds it, and saving it.
  void InitProperties();
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

  WindowHandle hWnd() const { return m_hWnd; }

  const std::shared_ptr<const PictureObject>& TrayIcon() const { return m_TrayIcon; }
  // An absent picture, or one that is not an icon, leaves the icon unchanged.
  void TrayIcon(const std::shared_ptr<const PictureObject>& picture);
  const std::string& TrayTip() const { return m_TrayTip; }
  void TrayTip(const std::string& tip);
  bool InTray() const { return m_InTray; }
  void InTray(bool inTray);

  // Shows a balloon on the icon and, for seconds > 0, waits until a balloon
  // notification arrives or the seconds have passed, processing messages
  // meanwhile; then clears a balloon still up. With `once`, only the first
  // such balloon of this instance is shown. Throws AppError("Overflow") when
  // the seconds do not fit in 32-bit milliseconds.
  void ShowBalloon(const std::string& text, const std::string& title, std::int32_t seconds,
                   bool once);

  // Turns a callback message from the notification area into an event.
  void DispatchTrayMessage(std::intptr_t lParam, std::uintptr_t wParam) override;
  // A restarted shell knows no icon: one that is in the tray is added again,
  // with its icon and tip, so that the window stays within reach.
  void TaskbarCreated() override;

  // Events; an empty one has no handler.
  std::function<void(std::int32_t id)> MouseMove;
  std::function<void(std::int16_t button, std::int32_t id)> MouseDown;
  std::function<void(std::int16_t button, std::int32_t id)> MouseUp;
  std::function<void(std::int16_t button, std::int32_t id)> MouseDblClick;
  // Tells the holding window that a persistent property changed.
  std::function<void(const std::string& name)> PropertyChanged;

 private:
  void AddIcon(WindowHandle hWnd, std::int32_t id, const std::string& tip,
               const std::shared_ptr<const PictureObject>& icon);
  void RemoveIcon(WindowHandle hWnd, std::int32_t id);
  NotifyIconRecord Record(std::uint32_t flags) const;
  void Send(NotifyMessage message, const NotifyIconRecord& record);
  void ReportChanged(const std::string& name);

  TrayPlatform& platform_;
  bool userMode_;
  std::unique_ptr<ControlWindow> window_;
  // The control's design-surface picture; it holds no image until an icon is set.
  std::shared_ptr<const PictureObject> picture_;

  bool m_InTray = false;
  bool m_Added = false;
  std::int32_t m_ID = 0;
  WindowHandle m_hWnd = 0;
  std::string m_TrayTip;
  std::shared_ptr<const PictureObject> m_TrayIcon;
  bool m_BalloonUp = false;
  std::int32_t m_BalloonCount = 0;
};

}  // namespace tallowmere
