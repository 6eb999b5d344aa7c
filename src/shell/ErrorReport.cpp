#include "shell/ErrorReport.h"

#ifndef TALLOWMERE_SUPPORT_ADDRESS
#error "the build sets TALLOWMERE_SUPPORT_ADDRESS"
#endif

namespace tallowmere {

const std::string_view kSupportAddress = TALLOWMERE_SUPPORT_ADDRESS;

std::string ErrorContext(std::string_view handler) {
  std::string context = "in Quorvane2021/08/31.Form1.";
  context += handler;
  context += ' ';
  return context;
}

std::string ErrorReportMessage(std::string_view description, std::string_view context, int line,
                               std::string_view supportAddress) {
  std::string message(description);
  message += "\r\n";
  message += context;
  message += "at line ";
  message += std::to_string(line);
  message += "\r\r";
  message += "Please email screenshot of this message to ";
  message += supportAddress;
  return message;
}

void ShowErrorReport(Dialogs& dialogs, std::string_view context, int line,
                     std::string_view description) {
  dialogs.Show(ErrorReportMessage(description, context, line, kSupportAddress),
               std::string(kErrorReportCaption), DialogIcon::Exclamation);
}

}  // namespace tallowmere
