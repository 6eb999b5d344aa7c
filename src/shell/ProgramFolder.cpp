#include "shell/ProgramFolder.h"

namespace tallowmere {

std::string InProgramFolder(Environment& environment, std::string_view relative) {
  std::string path = environment.ProgramFolder();
  if (path.empty() || path.back() != '\\') path += '\\';
  path += relative;
  return path;
}

}  // namespace tallowmere
