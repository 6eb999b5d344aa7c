#pragma once

#include <string>
#include <string_view>

#include "platform/Environment.h"

namespace tallowmere {

// The path of a file below the program's folder. The folder of a program at a
// drive root already ends with its backslash and gets no second one.
std::string InProgramFolder(Environment& environment, std::string_view relative);

}  // namespace tallowmere
