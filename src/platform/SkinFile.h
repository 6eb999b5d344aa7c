#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tallowmere {

// The colours of a skin file of our theming layer. The file is text, one
// setting per line, `name = #RRGGBB`; blank lines and lines that begin with
// ';' say nothing. Names are matched without regard to case:
//   face  the face colour of the window, frames, tick boxes and labels (required)
//   text  the colour of their text (optional; without it text keeps the
//         system's colour)
// Colours are held as 0xBBGGRR, the order of the program's other colours.
struct SkinColors {
  std::uint32_t face = 0;
  std::optional<std::uint32_t> text;
  bool operator==(const SkinColors&) const = default;
};

// Reads a skin file's content. A file it cannot read throws AppError naming
// the line and the fault.
SkinColors ParseSkinFile(std::string_view content);

}  // namespace tallowmere
