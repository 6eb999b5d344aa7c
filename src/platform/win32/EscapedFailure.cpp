#include "platform/win32/EscapedFailure.h"

#include <windows.h>

#include <exception>

namespace tallowmere {

void ReportEscapedFailure(Dialogs& dialogs, const std::string& caption) noexcept {
  try {
    std::string description = "Unknown error";
    try {
      if (const std::exception_ptr failure = std::current_exception()) {
        std::rethrow_exception(failure);
      }
    } catch (const std::exception& e) {
      description = e.what();
    } catch (...) {  // of no known kind: "Unknown error"
    }
    dialogs.Show(description, caption, DialogIcon::Exclamation);
  } catch (...) {
    MessageBoxW(nullptr, L"Unknown error", nullptr, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
  }
}

}  // namespace tallowmere
