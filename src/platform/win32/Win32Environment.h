#pragma once

#include "platform/Environment.h"

namespace tallowmere {

class Win32Environment : public Environment {
 public:
  std::string Variable(const std::string& name) override;
  std::string ProgramFolder() override;
  std::string ProgramFileName() override;
};

}  // namespace tallowmere
