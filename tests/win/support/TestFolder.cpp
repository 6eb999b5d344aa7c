#include "win/support/TestFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "platform/win32/Text.h"
#include "win/support/FileBytes.h"

namespace tallowmere::test {

std::wstring CurrentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "outside";
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ':') c = '_';
  }
  return Wide(name);
}

TestFolder::TestFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() / L"tallowmere-tests" /
          (CurrentTestName() + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  // Windows deletes no read-only file.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TestFolder::MakeFolder(std::wstring_view name) const {
  auto folder = path_ / name;
  std::filesystem::create_directories(folder);
  return folder;
}

std::filesystem::path TestFolder::Write(std::wstring_view name, std::string_view bytes,
                                        DWORD attributes) const {
  const auto file = path_ / name;
  std::filesystem::create_directories(file.parent_path());
  WriteFileBytes(file, bytes);
  SetFileAttributesW(file.c_str(), attributes);
  return file;
}

}  // namespace tallowmere::test
