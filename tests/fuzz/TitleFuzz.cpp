// The application title derived from any name.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/Require.h"
#include "platform/AppError.h"
#include "shell/Main.h"

namespace tallowmere {
namespace {

std::size_t Characters(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

bool Fits(std::string_view text) {
  return Characters(text) <= kApplicationTitleLimit;
}

// The longest start of the name that fits and that is the whole name or is
// followed by a blank; none when no such start fits.
std::optional<std::string_view> LongestFittingStart(std::string_view name) {
  std::size_t count = Characters(name);
  if (count <= kApplicationTitleLimit) return name;
  for (std::size_t end = name.size(); end-- > 0;) {
    // count holds the characters of the name up to and including `end`.
    if ((static_cast<unsigned char>(name[end]) & 0xC0) != 0x80) --count;
    if (name[end] == ' ' && count <= kApplicationTitleLimit) return name.substr(0, end);
  }
  return std::nullopt;
}

}  // namespace
}  // namespace tallowmere

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tallowmere;
  const std::string name(reinterpret_cast<const char*>(data), size);
  SetApplicationTitle();
  const std::string before = ApplicationTitle();
  Require(before == kProductName, "the product name makes the title");

  const std::optional<std::string_view> expected = LongestFittingStart(name);
  try {
    SetApplicationTitle(name);
  } catch (const AppError&) {
    Require(!expected, "only a name that cannot be cut to fit is refused");
    Require(ApplicationTitle() == before, "a refused name leaves the title as it was");
    return 0;
  }
  Require(expected.has_value(), "a name that cannot be cut to fit is refused");
  const std::string& title = ApplicationTitle();
  Require(Fits(title), "the title is at most the limit in characters");
  Require(title == *expected, "the title is the longest start of the name cut at a blank");
  return 0;
}
