#pragma once

#include <string>

#include "platform/Dialogs.h"

namespace tallowmere {

// Windows calls the program's window procedures and cannot pass a C++
// exception on: each of them catches whatever its handlers let escape and
// hands it here, inside its catch block. The user sees the failure's
// description ("Unknown error" for one of no known kind) in a box with the
// caption.
void ReportEscapedFailure(Dialogs& dialogs, const std::string& caption) noexcept;

}  // namespace tallowmere
