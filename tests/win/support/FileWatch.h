#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "win/support/FileBytes.h"
#include "win/support/Wait.h"

namespace tallowmere::test {

// Follows a file that another program rewrites, reading it only when its
// stamp changed: a reader's open handle makes the writer's replace fail, so
// reading as seldom as this keeps the test out of the program's way.
class FileWatch {
 public:
  // Reads the file as it stands now; do this while the program is not
  // saving, before the input that makes it save.
  explicit FileWatch(std::filesystem::path path);

  // Waits until the file holds exactly these bytes.
  bool WaitForBytes(const std::string& expected, std::chrono::milliseconds timeout = kPatience);

  // The bytes last read; nothing while the file is missing.
  const std::optional<std::string>& Last() const { return bytes_; }

 private:
  void Refresh();

  std::filesystem::path path_;
  std::optional<FileStamp> stamp_;
  std::optional<std::string> bytes_;
};

}  // namespace tallowmere::test
