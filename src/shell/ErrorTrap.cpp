#include "shell/ErrorTrap.h"

#include "shell/ErrorReport.h"

namespace tallowmere {

ErrorTrap::ErrorTrap(Dialogs& dialogs, std::string_view handler)
    : dialogs_(dialogs), context_(ErrorContext(handler)) {}

void ErrorTrap::Report(const std::exception& failure) {
  ShowErrorReport(dialogs_, context_, line_, failure.what());
}

}  // namespace tallowmere
