#include "e2e/support/TestFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "platform/win32/Text.h"

namespace tallowmere::e2e {
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
  path_ = std::filesystem::temp_directory_path() / L"tallowmere-e2e" /
          (CurrentTestName() + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TestFolder::MakeFolder(std::wstring_view name) const {
  auto folder = path_ / name;
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace tallowmere::e2e
