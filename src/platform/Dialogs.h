#pragma once

#include <string>

namespace tallowmere {

enum class DialogIcon { None, Exclamation };

// Modal message boxes with a single OK button; Show returns once dismissed.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void Show(const std::string& text, const std::string& caption, DialogIcon icon) = 0;
};

}  // namespace tallowmere
