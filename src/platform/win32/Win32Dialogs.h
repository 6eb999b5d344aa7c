#pragma once

#include <windows.h>

#include "platform/Dialogs.h"

namespace tallowmere {

class Win32Dialogs : public Dialogs {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void Show(const std::string& text, const std::string& caption, DialogIcon icon) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace tallowmere
