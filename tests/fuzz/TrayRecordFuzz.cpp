// The 488-byte NOTIFYICONDATA record laid out from any field values and texts.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/Require.h"
#include "platform/NotifyIconData.h"

namespace tallowmere {
namespace {

// The record's layout as the notification area reads it, offsets and widths
// in bytes, written out here independently of the program's own table.
constexpr std::size_t kSize = 488;
struct Field {
  std::size_t offset, width;
};
constexpr Field kCbSize{0, 4}, kHWnd{4, 4}, kUID{8, 4}, kUFlags{12, 4}, kCallback{16, 4},
    kHIcon{20, 4}, kTip{24, 128}, kState{152, 4}, kStateMask{156, 4}, kInfo{160, 256},
    kTimeout{416, 4}, kInfoTitle{420, 64}, kInfoFlags{484, 4};

std::uint32_t Read32(const NotifyIconData& data, Field field) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{data[field.offset + i]} << (8 * i);
  return value;
}

// A text field holds the text up to its first NUL, cut to leave room for the
// terminating NUL, and zeros after it.
void RequireText(const NotifyIconData& data, Field field, const std::string& text) {
  const std::string kept = text.substr(0, std::min(text.find('\0'), field.width - 1));
  for (std::size_t i = 0; i < field.width; ++i) {
    const std::uint8_t expected = i < kept.size() ? static_cast<std::uint8_t>(kept[i]) : 0;
    Require(data[field.offset + i] == expected, "a text field holds its text, cut and terminated");
  }
  const std::string fitted = FitTextField(text, field.width);
  Require(fitted == kept, "FitTextField keeps what the field shows");
}

}  // namespace
}  // namespace tallowmere

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tallowmere;
  FuzzedDataProvider input(data, size);
  NotifyIconRecord record;
  record.hWnd = input.ConsumeIntegral<WindowHandle>();
  record.uID = input.ConsumeIntegral<std::int32_t>();
  record.uFlags = input.ConsumeIntegral<std::uint32_t>();
  record.uCallbackMessage = input.ConsumeIntegral<std::uint32_t>();
  record.hIcon = input.ConsumeIntegral<std::uintptr_t>();
  record.uTimeout = input.ConsumeIntegral<std::uint32_t>();
  record.szTip = input.ConsumeRandomLengthString(400);
  record.szInfo = input.ConsumeRandomLengthString(400);
  record.szInfoTitle = input.ConsumeRemainingBytesAsString();

  // The conversion to the code page may change the length of a text.
  int conversions = 0;
  const CodePageConverter twice = [&](const std::string& utf8) {
    ++conversions;
    return utf8 + utf8;
  };
  const NotifyIconData laid = LayOutNotifyIconData(record, twice);
  Require(laid.size() == kSize, "the record is 488 bytes");
  Require(conversions == 3, "each text is converted once");
  Require(Read32(laid, kCbSize) == kSize, "cbSize is 488");
  Require(Read32(laid, kHWnd) == static_cast<std::uint32_t>(record.hWnd), "hWnd in its place");
  Require(Read32(laid, kUID) == static_cast<std::uint32_t>(record.uID), "uID in its place");
  Require(Read32(laid, kUFlags) == record.uFlags, "uFlags in its place");
  Require(Read32(laid, kCallback) == record.uCallbackMessage, "uCallbackMessage in its place");
  Require(Read32(laid, kHIcon) == static_cast<std::uint32_t>(record.hIcon), "hIcon in its place");
  Require(Read32(laid, kTimeout) == record.uTimeout, "uTimeout in its place");
  Require(
      Read32(laid, kState) == 0 && Read32(laid, kStateMask) == 0 && Read32(laid, kInfoFlags) == 0,
      "dwState, dwStateMask and dwInfoFlags are zero");
  RequireText(laid, kTip, record.szTip + record.szTip);
  RequireText(laid, kInfo, record.szInfo + record.szInfo);
  RequireText(laid, kInfoTitle, record.szInfoTitle + record.szInfoTitle);
  return 0;
}
