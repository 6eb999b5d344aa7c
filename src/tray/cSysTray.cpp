#include "tray/cSysTray.h"

#include <limits>

#include "platform/AppError.h"

namespace tallowmere {

namespace {

// lParam values of the callback message.
constexpr std::intptr_t kMouseMove = 0x200;
constexpr std::intptr_t kLeftButtonDown = 0x201;
constexpr std::intptr_t kLeftButtonUp = 0x202;
constexpr std::intptr_t kLeftButtonDoubleClick = 0x203;
constexpr std::intptr_t kRightButtonDown = 0x204;
constexpr std::intptr_t kRightButtonUp = 0x205;
constexpr std::intptr_t kRightButtonDoubleClick = 0x206;
constexpr std::intptr_t kBalloonHide = 0x403;
constexpr std::intptr_t kBalloonTimeout = 0x404;
constexpr std::intptr_t kBalloonUserClick = 0x405;

void Raise(const std::function<void(std::int16_t, std::int32_t)>& event, std::int16_t button,
           std::int32_t id) {
  if (event) event(button, id);
}

}  // namespace

cSysTray::cSysTray(TrayPlatform& platform, bool userMode)
    : platform_(platform),
      userMode_(userMode),
      window_(platform.windows.Create()),
      m_hWnd(window_->Handle()) {}

cSysTray::~cSysTray() {
  if (InTray()) InTray(false);
}

void cSysTray::InitProperties() {
  InTray(false);
  TrayTip(kDefaultTrayTip);
  TrayIcon(picture_);
}

void cSysTray::ReadProperties(const PropertyBag& bag) {
  InTray(bag.ReadProperty("InTray", false));
  TrayIcon(bag.ReadProperty("TrayIcon", picture_));
  TrayTip(bag.ReadProperty("TrayTip", std::string(kDefaultTrayTip)));
}

void cSysTray::WriteProperties(PropertyBag& bag) const {
  bag.WriteProperty("InTray", m_InTray);
  bag.WriteProperty("TrayIcon", m_TrayIcon);
  bag.WriteProperty("TrayTip", m_TrayTip);
}

void cSysTray::TrayIcon(const std::shared_ptr<const PictureObject>& picture) {
  if (!picture || picture->Type() != PictureType::Icon) return;
  if (m_Added) {
    NotifyIconRecord record = Record(kFlagIcon);
    record.hIcon = picture->Handle();
    Send(NotifyMessage::Modify, record);
  }
  m_TrayIcon = picture;
  picture_ = picture;
  ReportChanged("TrayIcon");
}

void cSysTray::TrayTip(const std::string& tip) {
  if (m_Added) {
    NotifyIconRecord record = Record(kFlagTip);
    record.szTip = tip;
    Send(NotifyMessage::Modify, record);
  }
  m_TrayTip = tip;
  ReportChanged("TrayTip");
}

void cSysTray::InTray(bool inTray) {
  if (inTray == m_InTray) return;
  if (inTray) {
    if (userMode_) {
      // The routing goes in first, so that no callback message can arrive
      // before the window knows whom to hand it to.
      platform_.routing.Install(m_hWnd, *this);
      AddIcon(m_hWnd, m_ID, TrayTip(), TrayIcon());
      m_Added = true;
    }
  } else if (m_Added) {
    RemoveIcon(m_hWnd, m_ID);
    platform_.routing.Remove(m_hWnd);
    m_Added = false;
  }
  m_InTray = inTray;
  ReportChanged("InTray");
}

void cSysTray::ShowBalloon(const std::string& text, const std::string& title, std::int32_t seconds,
                           bool once) {
  if (once && m_BalloonCount >= 1) return;
  std::uint32_t timeout = 0;
  if (seconds > 0) {
    const std::int64_t milliseconds = std::int64_t{seconds} * 1000;
    if (milliseconds > std::numeric_limits<std::int32_t>::max()) throw AppError("Overflow");
    timeout = static_cast<std::uint32_t>(milliseconds);
  }

  NotifyIconRecord balloon = Record(kFlagInfo);
  balloon.szInfoTitle = title;
  balloon.szInfo = text;
  balloon.uTimeout = timeout;
  Send(NotifyMessage::Modify, balloon);
  m_BalloonUp = true;
  if (once) ++m_BalloonCount;

  if (seconds <= 0) return;
  const std::chrono::milliseconds limit{timeout};
  const std::chrono::milliseconds start = platform_.clock.Now();
  for (;;) {
    platform_.pump.ProcessPendingMessages();
    const std::chrono::milliseconds elapsed = platform_.clock.Now() - start;
    // A balloon notification dispatched by the pump above clears the flag.
    // cppcheck-suppress knownConditionTrueFalse
    if (!m_BalloonUp || elapsed >= limit) break;
    // Sleeps until the next message instead of spinning through the wait.
    platform_.pump.WaitForMessage(limit - elapsed);
  }
  if (m_BalloonUp) {
    NotifyIconRecord clear = Record(kFlagInfo);
    clear.uTimeout = timeout;
    Send(NotifyMessage::Modify, clear);
  }
}

void cSysTray::DispatchTrayMessage(std::intptr_t lParam, std::uintptr_t wParam) {
  const auto id = static_cast<std::int32_t>(wParam);
  switch (lParam) {
    case kMouseMove:
      if (MouseMove) MouseMove(id);
      break;
    case kLeftButtonDown:
      Raise(MouseDown, kLeftButton, id);
      break;
    case kLeftButtonUp:
      Raise(MouseUp, kLeftButton, id);
      break;
    case kLeftButtonDoubleClick:
      Raise(MouseDblClick, kLeftButton, id);
      break;
    case kRightButtonDown:
      Raise(MouseDown, kRightButton, id);
      break;
    case kRightButtonUp:
      Raise(MouseUp, kRightButton, id);
      break;
    case kRightButtonDoubleClick:
      Raise(MouseDblClick, kRightButton, id);
      break;
    case kBalloonHide:
    case kBalloonTimeout:
    case kBalloonUserClick:
      m_BalloonUp = false;
      break;
    default:
      break;
  }
}

void cSysTray::TaskbarCreated() {
  if (m_Added) AddIcon(m_hWnd, m_ID, m_TrayTip, m_TrayIcon);
}

void cSysTray::AddIcon(WindowHandle hWnd, std::int32_t id, const std::string& tip,
                       const std::shared_ptr<const PictureObject>& icon) {
  NotifyIconRecord record;
  record.hWnd = hWnd;
  record.uID = id;
  record.uFlags = kFlagMessage;
  record.uCallbackMessage = kTrayCallbackMessage;
  if (icon) {
    record.uFlags |= kFlagIcon;
    record.hIcon = icon->Handle();
    m_TrayIcon = icon;
  }
  if (!tip.empty()) {
    record.uFlags |= kFlagTip;
    record.szTip = tip;
    m_TrayTip = tip;
  }
  Send(NotifyMessage::Add, record);
}

void cSysTray::RemoveIcon(WindowHandle hWnd, std::int32_t id) {
  NotifyIconRecord record;
  record.hWnd = hWnd;
  record.uID = id;
  Send(NotifyMessage::Delete, record);
}

NotifyIconRecord cSysTray::Record(std::uint32_t flags) const {
  NotifyIconRecord record;
  record.hWnd = m_hWnd;
  record.uID = m_ID;
  record.uFlags = flags;
  return record;
}

void cSysTray::Send(NotifyMessage message, const NotifyIconRecord& record) {
  platform_.notificationArea.ShellNotifyIcon(message, record);
}

void cSysTray::ReportChanged(const std::string& name) {
  if (PropertyChanged) PropertyChanged(name);
}

}  // namespace tallowmere
