#pragma once

#include <string>

namespace tallowmere {

// Whole-file operations on UTF-8 paths. Failures throw AppError with the
// system's description of the cause.
class Files {
 public:
  virtual ~Files() = default;
  // True when the file's modification time can be read; never fails.
  virtual bool Exists(const std::string& path) = 0;
  // True when a directory listing of the exact path finds a plain file: no
  // folder, and neither hidden nor a system file. Never fails.
  virtual bool ListsPlainFile(const std::string& path) = 0;
  virtual std::string ReadAll(const std::string& path) = 0;
  // Replaces the file's content in one step: on failure the old file stays
  // as it was.
  virtual void Replace(const std::string& path, const std::string& content) = 0;
  virtual void Copy(const std::string& from, const std::string& to) = 0;
};

}  // namespace tallowmere
