#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "CaseName.h"
#include "platform/AppError.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Pictures.h"
#include "win/support/TallowmereBuild.h"
#include "win/support/TestFolder.h"

namespace tallowmere::test {
namespace {

TEST(LoadPicture, TheHandPointerIsACursor) {
  Win32Pictures pictures;
  auto hand = pictures.LoadPicture(Utf8(TestProgramFolder() / L"HAND-M.CUR"));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(hand->Handle()), &info));
  EXPECT_FALSE(info.fIcon);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
}

struct BadFile {
  const char* name;
  std::string content;  // empty name of content: no file at all
  bool present;
};

class LoadPictureRefuses : public ::testing::TestWithParam<BadFile> {};

TEST_P(LoadPictureRefuses, WithADescription) {
  TestFolder folder;
  const std::wstring path = folder.File(L"HAND-M.CUR");
  if (GetParam().present) folder.Write(L"HAND-M.CUR", GetParam().content);
  Win32Pictures pictures;
  try {
    pictures.LoadPicture(Utf8(path));
    FAIL() << "loaded a bad pointer file";
  } catch (const AppError& e) {
    EXPECT_FALSE(e.Description().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadPictureRefuses,
    ::testing::Values(BadFile{"Missing", "", false}, BadFile{"Empty", "", true},
                      BadFile{"Text", "this is no cursor\r\n", true},
                      BadFile{"TruncatedHeader", std::string("\0\0\2\0\1\0", 6), true}),
    CaseName());

}  // namespace
}  // namespace tallowmere::test
