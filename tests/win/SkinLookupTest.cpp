#include <gtest/gtest.h>

#include "CaseName.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Files.h"
#include "win/support/TestFolder.h"

namespace tallowmere::test {
namespace {

struct LookupCase {
  const char* name;
  DWORD attributes;  // 0: a folder named o.cjs
  bool listed;
};

class SkinFileLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(SkinFileLookup, OnlyAPlainFileIsListed) {
  TestFolder folder;
  if (GetParam().attributes == 0) {
    CreateDirectoryW(folder.File(L"x").c_str(), nullptr);
    CreateDirectoryW(folder.File(L"x\\o.cjs").c_str(), nullptr);
  } else {
    folder.Write(L"x\\o.cjs", "face = #D4D0C8\n", GetParam().attributes);
  }
  Win32Files files;
  const std::string path = Utf8(folder.File(L"x\\o.cjs"));
  EXPECT_TRUE(files.Exists(path));
  EXPECT_EQ(files.ListsPlainFile(path), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Attributes, SkinFileLookup,
    ::testing::Values(LookupCase{"Normal", FILE_ATTRIBUTE_NORMAL, true},
                      LookupCase{"ReadOnlyArchive",
                                 FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, true},
                      LookupCase{"Hidden", FILE_ATTRIBUTE_HIDDEN, false},
                      LookupCase{"System", FILE_ATTRIBUTE_SYSTEM, false},
                      LookupCase{"Folder", 0, false}),
    CaseName());

TEST(SkinFileLookupMissing, NothingThereIsNotListed) {
  TestFolder folder;
  Win32Files files;
  EXPECT_FALSE(files.ListsPlainFile(Utf8(folder.File(L"x\\o.cjs"))));
  EXPECT_FALSE(files.ListsPlainFile(Utf8(folder.File(L"nowhere\\x\\o.cjs"))));
}

}  // namespace
}  // namespace tallowmere::test
