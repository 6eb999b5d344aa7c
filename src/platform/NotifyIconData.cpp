#include "platform/NotifyIconData.h"

#include <algorithm>

namespace tallowmere {

namespace {

void PutUint32(NotifyIconData& data, NotifyIconField field, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    data[field.offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

void PutText(NotifyIconData& data, NotifyIconField field, const std::string& eightBit) {
  const std::string text = FitTextField(eightBit, field.size);
  std::copy(text.begin(), text.end(), data.begin() + static_cast<std::ptrdiff_t>(field.offset));
}

}  // namespace

std::string FitTextField(const std::string& eightBit, std::size_t fieldSize) {
  const std::size_t end = std::min(eightBit.find('\0'), fieldSize - 1);
  return eightBit.substr(0, end);
}

NotifyIconData LayOutNotifyIconData(const NotifyIconRecord& record,
                                    const CodePageConverter& toCodePage) {
  namespace L = NotifyIconLayout;
  NotifyIconData data{};
  PutUint32(data, L::cbSize, kNotifyIconDataSize);
  // Handles of 32-bit Windows are 32 bits wide; the record has no room for more.
  PutUint32(data, L::hWnd, static_cast<std::uint32_t>(record.hWnd));
  PutUint32(data, L::uID, static_cast<std::uint32_t>(record.uID));
  PutUint32(data, L::uFlags, record.uFlags);
  PutUint32(data, L::uCallbackMessage, record.uCallbackMessage);
  PutUint32(data, L::hIcon, static_cast<std::uint32_t>(record.hIcon));
  PutText(data, L::szTip, toCodePage(record.szTip));
  PutText(data, L::szInfo, toCodePage(record.szInfo));
  PutUint32(data, L::uTimeout, record.uTimeout);
  PutText(data, L::szInfoTitle, toCodePage(record.szInfoTitle));
  return data;
}

}  // namespace tallowmere
