#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/WindowHandle.h"

namespace tallowmere {

// What Shell_NotifyIcon is asked to do with the icon.
enum class NotifyMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

// uFlags bits: which fields of the record the notification area reads.
inline constexpr std::uint32_t kFlagMessage = 1;
inline constexpr std::uint32_t kFlagIcon = 2;
inline constexpr std::uint32_t kFlagTip = 4;
inline constexpr std::uint32_t kFlagInfo = 16;

// The message the notification area sends to the control's window (WM_USER + 101).
inline constexpr std::uint32_t kTrayCallbackMessage = 0x465;

// One record for Shell_NotifyIcon, independent of any platform's layout. The
// texts are UTF-8; they are converted and cut when the record is laid out.
// cbSize, dwState, dwStateMask and dwInfoFlags are the same in every record
// the program sends, so they are not stored here.
struct NotifyIconRecord {
  WindowHandle hWnd = 0;
  std::int32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::uintptr_t hIcon = 0;
  std::string szTip;
  std::string szInfo;
  std::uint32_t uTimeout = 0;
  std::string szInfoTitle;

  bool operator==(const NotifyIconRecord&) const = default;
};

// The 8-bit-character NOTIFYICONDATA of 32-bit Windows, version 2.
inline constexpr std::size_t kNotifyIconDataSize = 488;

struct NotifyIconField {
  std::size_t offset;
  std::size_t size;
};

namespace NotifyIconLayout {
inline constexpr NotifyIconField cbSize{0, 4};
inline constexpr NotifyIconField hWnd{4, 4};
inline constexpr NotifyIconField uID{8, 4};
inline constexpr NotifyIconField uFlags{12, 4};
inline constexpr NotifyIconField uCallbackMessage{16, 4};
inline constexpr NotifyIconField hIcon{20, 4};
inline constexpr NotifyIconField szTip{24, 128};
inline constexpr NotifyIconField dwState{152, 4};
inline constexpr NotifyIconField dwStateMask{156, 4};
inline constexpr NotifyIconField szInfo{160, 256};
inline constexpr NotifyIconField uTimeout{416, 4};
inline constexpr NotifyIconField szInfoTitle{420, 64};
inline constexpr NotifyIconField dwInfoFlags{484, 4};
}  // namespace NotifyIconLayout

// Converts UTF-8 text to the system's 8-bit code page.
using CodePageConverter = std::function<std::string(const std::string& utf8)>;

// The 8-bit text cut so that it and its terminating NUL fit a field of
// `fieldSize` bytes. Text after an embedded NUL would never be read, so it
// goes too.
std::string FitTextField(const std::string& eightBit, std::size_t fieldSize);

using NotifyIconData = std::array<std::uint8_t, kNotifyIconDataSize>;

// The record laid out byte for byte, little-endian, texts converted and cut.
NotifyIconData LayOutNotifyIconData(const NotifyIconRecord& record,
                                    const CodePageConverter& toCodePage);

}  // namespace tallowmere
