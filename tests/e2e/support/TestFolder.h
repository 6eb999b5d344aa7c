#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tallowmere::e2e {

// The running test's full name, fit for a file name.
std::wstring CurrentTestName();

// A fresh folder for one test, named after the running test, removed with
// everything in it when the test ends.
class TestFolder {
 public:
  TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  ~TestFolder();

  const std::filesystem::path& Path() const { return path_; }
  // Creates a sub-folder (any characters, non-ASCII too) and returns it.
  std::filesystem::path MakeFolder(std::wstring_view name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace tallowmere::e2e
