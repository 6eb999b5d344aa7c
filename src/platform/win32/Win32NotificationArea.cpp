#include "platform/win32/Win32NotificationArea.h"

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/win32/Text.h"

namespace tallowmere {

namespace {

#if defined(_WIN64)

// 64-bit Windows widens the handles, so its record has its own layout; it
// gets the same values in the fields of that layout.
void CopyText(char* field, std::size_t size, const std::string& utf8) {
  const std::string text = FitTextField(SystemCodePageText(utf8), size);
  std::copy(text.begin(), text.end(), field);
  field[text.size()] = '\0';
}

NOTIFYICONDATAA PlatformRecord(const NotifyIconRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = reinterpret_cast<HWND>(record.hWnd);
  data.uID = static_cast<UINT>(record.uID);
  data.uFlags = record.uFlags;
  data.uCallbackMessage = record.uCallbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.hIcon);
  CopyText(data.szTip, sizeof data.szTip, record.szTip);
  CopyText(data.szInfo, sizeof data.szInfo, record.szInfo);
  data.uTimeout = record.uTimeout;
  CopyText(data.szInfoTitle, sizeof data.szInfoTitle, record.szInfoTitle);
  return data;
}

#else

// On 32-bit Windows the portable layout is the system's record, byte for byte.
namespace Layout = NotifyIconLayout;
static_assert(NOTIFYICONDATAA_V2_SIZE == kNotifyIconDataSize);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == Layout::hWnd.offset);
static_assert(offsetof(NOTIFYICONDATAA, uID) == Layout::uID.offset);
static_assert(offsetof(NOTIFYICONDATAA, uFlags) == Layout::uFlags.offset);
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) == Layout::uCallbackMessage.offset);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == Layout::hIcon.offset);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == Layout::szTip.offset);
static_assert(sizeof(NOTIFYICONDATAA::szTip) == Layout::szTip.size);
static_assert(offsetof(NOTIFYICONDATAA, dwState) == Layout::dwState.offset);
static_assert(offsetof(NOTIFYICONDATAA, dwStateMask) == Layout::dwStateMask.offset);
static_assert(offsetof(NOTIFYICONDATAA, szInfo) == Layout::szInfo.offset);
static_assert(sizeof(NOTIFYICONDATAA::szInfo) == Layout::szInfo.size);
static_assert(offsetof(NOTIFYICONDATAA, uTimeout) == Layout::uTimeout.offset);
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == Layout::szInfoTitle.offset);
static_assert(sizeof(NOTIFYICONDATAA::szInfoTitle) == Layout::szInfoTitle.size);
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == Layout::dwInfoFlags.offset);

NOTIFYICONDATAA PlatformRecord(const NotifyIconRecord& record) {
  const NotifyIconData bytes = LayOutNotifyIconData(record, SystemCodePageText);
  NOTIFYICONDATAA data{};
  std::memcpy(&data, bytes.data(), bytes.size());
  return data;
}

#endif

}  // namespace

bool Win32NotificationArea::ShellNotifyIcon(NotifyMessage message, const NotifyIconRecord& record) {
  NOTIFYICONDATAA data = PlatformRecord(record);
  return Shell_NotifyIconA(static_cast<DWORD>(message), &data) != FALSE;
}

std::string SystemCodePageText(const std::string& utf8) {
  const std::wstring wide = Wide(utf8);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), n, nullptr, nullptr);
  return text;
}

}  // namespace tallowmere
