#pragma once

#include <string>

namespace tallowmere {

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value as UTF-8; empty when it is unset.
  virtual std::string Variable(const std::string& name) = 0;
  // The folder that holds the executable, without a trailing backslash
  // unless it is a drive root.
  virtual std::string ProgramFolder() = 0;
  // The running executable's file name with its extension.
  virtual std::string ProgramFileName() = 0;
};

}  // namespace tallowmere
