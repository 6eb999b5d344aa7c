#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tallowmere {

inline constexpr int kKeyCount = 104;
// Every loop over the keys runs over 0..kLastKeyIndex, a fixed bound.
inline constexpr int kLastKeyIndex = 103;

enum class Picture { None, WindowsLogo, MenuSymbol };

struct KeyDef {
  std::string_view caption;
  std::string_view tag;          // the virtual-key code in decimal
  int left, top, width, height;  // twips inside the frame "Keyboard Settings"
  std::string_view toolTip;      // non-empty only on the picture keys
  Picture picture;
};

extern const std::array<KeyDef, kKeyCount> kKeyTable;

// Pixel sizes of the two key pictures.
inline constexpr int kWindowsLogoWidth = 22, kWindowsLogoHeight = 19;
inline constexpr int kMenuSymbolSize = 18;

}  // namespace tallowmere
