#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tallowmere::test {

// The running test's full name, fit for a file name.
std::wstring CurrentTestName();

// A fresh folder for one test, named after the running test, removed with
// everything in it (read-only files too) when the object goes.
class TestFolder {
 public:
  TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  ~TestFolder();

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path File(std::wstring_view name) const { return path_ / name; }
  // Creates a sub-folder (any characters, non-ASCII too) and returns it.
  std::filesystem::path MakeFolder(std::wstring_view name) const;
  // Writes a file with exactly these bytes and the given attributes, making
  // the folders of `name` on the way; returns its path.
  std::filesystem::path Write(std::wstring_view name, std::string_view bytes,
                              DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;

 private:
  std::filesystem::path path_;
};

}  // namespace tallowmere::test
