#pragma once

#include "platform/Process.h"

namespace tallowmere {

class Win32Process final : public Process {
 public:
  void End() override;
};

}  // namespace tallowmere
