#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/SkinControl.h"

namespace tallowmere {

class Form1;

// The skin ships below the program's folder.
inline constexpr std::string_view kSkinFile = "x\\o.cjs";
// The system's face colour of three-dimensional elements (system colour 15).
inline constexpr std::uint32_t kButtonFace = 0x8000000F;

// When the skin file is there, gives the window and its frames, tick boxes and
// labels the button-face colour, then has the skin control load the file and
// apply it to the window. Without the file nothing happens. A failure throws
// and leaves the colours already set.
void ApplySkin(Form1& form, Files& files, Environment& environment, SkinControl& skin);

}  // namespace tallowmere
