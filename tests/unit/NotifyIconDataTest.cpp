#include "platform/NotifyIconData.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tallowmere {
namespace {

namespace L = NotifyIconLayout;

std::string Same(const std::string& text) {
  return text;
}

// UTF-8 to ISO 8859-1 for the two-byte sequences the tests use, standing in
// for the system's code page.
std::string Latin1(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[++i]);
      out += static_cast<char>(((c & 0x1F) << 6) | (next & 0x3F));
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::uint32_t Uint32At(const NotifyIconData& data, NotifyIconField field) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{data[field.offset + i]} << (8 * i);
  return value;
}

std::string BytesAt(const NotifyIconData& data, NotifyIconField field) {
  return std::string(data.begin() + static_cast<std::ptrdiff_t>(field.offset),
                     data.begin() + static_cast<std::ptrdiff_t>(field.offset + field.size));
}

TEST(NotifyIconLayout, FieldsTileTheWholeRecord) {
  const NotifyIconField fields[] = {L::cbSize,           L::hWnd,   L::uID,      L::uFlags,
                                    L::uCallbackMessage, L::hIcon,  L::szTip,    L::dwState,
                                    L::dwStateMask,      L::szInfo, L::uTimeout, L::szInfoTitle,
                                    L::dwInfoFlags};
  std::size_t next = 0;
  for (const NotifyIconField& f : fields) {
    EXPECT_EQ(f.offset, next);
    next = f.offset + f.size;
  }
  EXPECT_EQ(next, kNotifyIconDataSize);
}

TEST(NotifyIconLayout, EveryFieldAtItsOffsetLittleEndian) {
  NotifyIconRecord record;
  record.hWnd = 0x00A1B2C3;
  record.uID = -2;
  record.uFlags = 0x17;
  record.uCallbackMessage = 0x465;
  record.hIcon = 0x11223344;
  record.szTip = "Tallowmere";
  record.szInfo = "line one\r\nline two";
  record.uTimeout = 5000;
  record.szInfoTitle = "Title";

  const NotifyIconData data = LayOutNotifyIconData(record, Same);
  EXPECT_EQ(Uint32At(data, L::cbSize), 488u);
  EXPECT_EQ(BytesAt(data, L::hWnd), std::string("\xC3\xB2\xA1\x00", 4));
  EXPECT_EQ(BytesAt(data, L::uID), std::string("\xFE\xFF\xFF\xFF", 4));
  EXPECT_EQ(Uint32At(data, L::uFlags), 0x17u);
  EXPECT_EQ(BytesAt(data, L::uCallbackMessage), std::string("\x65\x04\x00\x00", 4));
  EXPECT_EQ(Uint32At(data, L::hIcon), 0x11223344u);
  EXPECT_EQ(BytesAt(data, L::szTip), std::string("Tallowmere") + std::string(118, '\0'));
  EXPECT_EQ(Uint32At(data, L::dwState), 0u);
  EXPECT_EQ(Uint32At(data, L::dwStateMask), 0u);
  EXPECT_EQ(BytesAt(data, L::szInfo), std::string("line one\r\nline two") + std::string(238, '\0'));
  EXPECT_EQ(BytesAt(data, L::uTimeout), std::string("\x88\x13\x00\x00", 4));
  EXPECT_EQ(BytesAt(data, L::szInfoTitle), std::string("Title") + std::string(59, '\0'));
  EXPECT_EQ(Uint32At(data, L::dwInfoFlags), 0u);
}

TEST(NotifyIconLayout, EmptyRecordIsZeroApartFromItsSize) {
  const NotifyIconData data = LayOutNotifyIconData(NotifyIconRecord{}, Same);
  EXPECT_EQ(BytesAt(data, L::cbSize), std::string("\xE8\x01\x00\x00", 4));
  for (std::size_t i = L::cbSize.size; i < data.size(); ++i) EXPECT_EQ(data[i], 0) << i;
}

TEST(NotifyIconLayout, HandlesKeepTheirLow32Bits) {
  NotifyIconRecord record;
  record.hWnd = static_cast<WindowHandle>(0x0000000012345678ull);
  record.hIcon = static_cast<std::uintptr_t>(0x00000000CAFEBABEull);
  const NotifyIconData data = LayOutNotifyIconData(record, Same);
  EXPECT_EQ(Uint32At(data, L::hWnd), 0x12345678u);
  EXPECT_EQ(Uint32At(data, L::hIcon), 0xCAFEBABEu);
}

struct TextCase {
  const char* field;
  std::size_t length;  // characters given
};

class TextFields : public ::testing::TestWithParam<TextCase> {};

// Each text field holds at most its size less one characters, always followed
// by a NUL, with zeros up to the next field.
TEST_P(TextFields, AreCutToFitWithTheirNul) {
  const TextCase& c = GetParam();
  const std::string text(c.length, 'x');
  NotifyIconRecord record;
  NotifyIconField field{};
  if (std::string(c.field) == "szTip") {
    record.szTip = text;
    field = L::szTip;
  } else if (std::string(c.field) == "szInfo") {
    record.szInfo = text;
    field = L::szInfo;
  } else {
    record.szInfoTitle = text;
    field = L::szInfoTitle;
  }
  const NotifyIconData data = LayOutNotifyIconData(record, Same);
  const std::size_t kept = std::min(c.length, field.size - 1);
  EXPECT_EQ(BytesAt(data, field), std::string(kept, 'x') + std::string(field.size - kept, '\0'));
  // Nothing spills into the following field.
  EXPECT_EQ(data[field.offset + field.size], 0);
}

INSTANTIATE_TEST_SUITE_P(
    NotifyIconLayout, TextFields,
    ::testing::Values(TextCase{"szTip", 0}, TextCase{"szTip", 1}, TextCase{"szTip", 126},
                      TextCase{"szTip", 127}, TextCase{"szTip", 128}, TextCase{"szTip", 400},
                      TextCase{"szInfo", 0}, TextCase{"szInfo", 254}, TextCase{"szInfo", 255},
                      TextCase{"szInfo", 256}, TextCase{"szInfo", 1000}, TextCase{"szInfoTitle", 0},
                      TextCase{"szInfoTitle", 62}, TextCase{"szInfoTitle", 63},
                      TextCase{"szInfoTitle", 64}, TextCase{"szInfoTitle", 65}));

TEST(NotifyIconLayout, TextsAreConvertedToTheCodePage) {
  NotifyIconRecord record;
  record.szTip = "Zo\xC3\xAB";          // Zoë
  record.szInfo = "\xC3\xA9t\xC3\xA9";  // été
  record.szInfoTitle = "\xC3\x85";      // Å
  const NotifyIconData data = LayOutNotifyIconData(record, Latin1);
  EXPECT_EQ(BytesAt(data, L::szTip).substr(0, 4), std::string("Zo\xEB\0", 4));
  EXPECT_EQ(BytesAt(data, L::szInfo).substr(0, 4), std::string("\xE9t\xE9\0", 4));
  EXPECT_EQ(BytesAt(data, L::szInfoTitle).substr(0, 2), std::string("\xC5\0", 2));
}

TEST(NotifyIconLayout, CutCountsCharactersOfTheCodePage) {
  // 100 two-byte UTF-8 characters are 100 characters of an 8-bit code page:
  // they all fit the tip, which holds 127.
  std::string text;
  for (int i = 0; i < 100; ++i) text += "\xC3\xA9";
  NotifyIconRecord record;
  record.szTip = text;
  const NotifyIconData data = LayOutNotifyIconData(record, Latin1);
  EXPECT_EQ(BytesAt(data, L::szTip), std::string(100, '\xE9') + std::string(28, '\0'));
}

TEST(FitTextField, StopsAtAnEmbeddedNul) {
  EXPECT_EQ(FitTextField(std::string("ab\0cd", 5), 64), "ab");
  EXPECT_EQ(FitTextField("abcd", 3), "ab");
  EXPECT_EQ(FitTextField("", 3), "");
}

}  // namespace
}  // namespace tallowmere
