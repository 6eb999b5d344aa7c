#include "platform/SkinFile.h"

#include <string>

#include "platform/AppError.h"

namespace tallowmere {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

[[noreturn]] void Fail(int line, const std::string& fault) {
  throw AppError("Invalid skin file, line " + std::to_string(line) + ": " + fault);
}

// "#RRGGBB" to 0xBBGGRR.
std::uint32_t ParseColour(std::string_view text, int line) {
  if (text.size() != 7 || text[0] != '#') {
    Fail(line, "a colour is written #RRGGBB");
  }
  std::uint32_t rgb = 0;
  for (char c : text.substr(1)) {
    const int digit = HexDigit(c);
    if (digit < 0) Fail(line, "a colour is written #RRGGBB");
    rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
  }
  return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | rgb >> 16;
}

}  // namespace

SkinColors ParseSkinFile(std::string_view content) {
  if (content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
  std::optional<std::uint32_t> face;
  std::optional<std::uint32_t> text;
  int line = 0;
  while (!content.empty()) {
    ++line;
    const std::size_t end = content.find('\n');
    const std::string_view raw = content.substr(0, end);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);

    const std::string_view setting = Trim(raw);
    if (setting.empty() || setting.front() == ';') continue;
    const std::size_t equals = setting.find('=');
    if (equals == std::string_view::npos) Fail(line, "expected name = #RRGGBB");
    const std::string name = Lower(Trim(setting.substr(0, equals)));
    const std::uint32_t colour = ParseColour(Trim(setting.substr(equals + 1)), line);

    std::optional<std::uint32_t>* slot = nullptr;
    if (name == "face") {
      slot = &face;
    } else if (name == "text") {
      slot = &text;
    } else {
      Fail(line, "unknown colour name \"" + name + "\"");
    }
    if (slot->has_value()) Fail(line, "\"" + name + "\" is given twice");
    *slot = colour;
  }
  if (!face) throw AppError("Invalid skin file: it names no face colour");
  return SkinColors{*face, text};
}

}  // namespace tallowmere
