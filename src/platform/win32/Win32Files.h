#pragma once

#include "platform/Files.h"

namespace tallowmere {

class Win32Files : public Files {
 public:
  bool Exists(const std::string& path) override;
  bool ListsPlainFile(const std::string& path) override;
  std::string ReadAll(const std::string& path) override;
  void Replace(const std::string& path, const std::string& content) override;
  void Copy(const std::string& from, const std::string& to) override;
};

}  // namespace tallowmere
