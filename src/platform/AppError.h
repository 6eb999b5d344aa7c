#pragma once

#include <stdexcept>
#include <string>

namespace tallowmere {

// A failure of an operation, carrying the text that describes it (which may be
// empty). Trapped handlers report it in the "Application Error" box.
class AppError : public std::runtime_error {
 public:
  explicit AppError(const std::string& description) : std::runtime_error(description) {}
  std::string Description() const { return what(); }
};

}  // namespace tallowmere
