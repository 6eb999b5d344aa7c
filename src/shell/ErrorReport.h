#pragma once

#include <string>
#include <string_view>

#include "platform/Dialogs.h"

namespace tallowmere {

inline constexpr std::string_view kErrorReportCaption = "Application Error";

// The address the report asks the user to write to, set when the program is
// built (the CMake cache variable TALLOWMERE_SUPPORT_ADDRESS).
extern const std::string_view kSupportAddress;

// The text that names a trapped handler of the main window in the report:
// "in Quorvane2021/08/31.Form1." followed by `handler` and one blank.
std::string ErrorContext(std::string_view handler);

// The report's text: the description, CR LF, the context, "at line " and the
// line, two CRs, and the request to e-mail a screenshot to `supportAddress`.
std::string ErrorReportMessage(std::string_view description, std::string_view context, int line,
                               std::string_view supportAddress);

// Shows the "Application Error" box (OK only, exclamation icon) and returns
// once the user has dismissed it.
void ShowErrorReport(Dialogs& dialogs, std::string_view context, int line,
                     std::string_view description);

}  // namespace tallowmere
