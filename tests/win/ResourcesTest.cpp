#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/resource.h"
#include "platform/win32/Win32ProgramResources.h"
#include "win/Form1WindowFixture.h"
#include "win/support/TallowmereBuild.h"

namespace tallowmere::test {
namespace {

// The version record of Tallowmere.exe, read with the version API.
class VersionRecord : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring exe = BuiltProgram();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version record";
    data_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, data_.data()));
  }

  std::wstring Text(const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(data_.data(), path.c_str(), &value, &length) || length == 0) return L"?";
    return std::wstring(static_cast<const wchar_t*>(value));
  }

  std::vector<unsigned char> data_;
};

TEST_F(VersionRecord, TranslationIsUsEnglishUnicode) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  WORD translation[2];
  std::memcpy(translation, value, sizeof translation);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1200);
}

TEST_F(VersionRecord, Texts) {
  EXPECT_EQ(Text(L"CompanyName"), L"Varnholt");
  EXPECT_EQ(Text(L"ProductName"), L"Tallowmere");
  EXPECT_EQ(Text(L"FileVersion"), L"7.00");
  EXPECT_EQ(Text(L"ProductVersion"), L"7.00");
  EXPECT_EQ(Text(L"OriginalFilename"), L"Tallowmere.exe");
}

TEST_F(VersionRecord, FixedVersionIs7000) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwFileVersionMS, 0x00070000u);
  EXPECT_EQ(fixed.dwFileVersionLS, 0u);
  EXPECT_EQ(fixed.dwProductVersionMS, 0x00070000u);
  EXPECT_EQ(fixed.dwProductVersionLS, 0u);
}

// Tallowmere.exe loaded for its resources only.
// The program's resources, and the main window that shows its icon.
class ProgramResources : public WithForm1Window<> {
 protected:
  void SetUp() override {
    WithForm1Window::SetUp();
    module_ = LoadLibraryExW(BuiltProgram().c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved, type, count;
};
#pragma pack(pop)

TEST_F(ProgramResources, TwoIconGroupsTheProgramIconWithTrueColourImagesOfEverySmallSize) {
  int groups = 0;
  EnumResourceNamesW(
      module_, RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) -> BOOL {
        ++*reinterpret_cast<int*>(count);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&groups));
  EXPECT_EQ(groups, 2);

  HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(IDI_PROGRAM), RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module_, found)));
  GroupIconHeader header;
  std::memcpy(&header, bytes, sizeof header);
  std::vector<int> sizes;
  for (int i = 0; i < header.count; ++i) {
    GroupIconEntry entry;
    std::memcpy(&entry, bytes + sizeof header + i * sizeof entry, sizeof entry);
    EXPECT_EQ(entry.bitCount, 24) << "image " << i;
    sizes.push_back(entry.width);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 48}));
}

int IconWidth(HWND window, WPARAM which) {
  ICONINFO info{};
  const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

TEST_F(ProgramResources, WindowTakesTheSmallImageForItsCaptionAndTheLargeForAltTab) {
  window.form().SetIcon(Win32ProgramResources(IDI_PROGRAM, IDI_LOCKED, module_).ProgramIcon());
  EXPECT_EQ(IconWidth(window.hwnd(), ICON_SMALL), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(IconWidth(window.hwnd(), ICON_BIG), GetSystemMetrics(SM_CXICON));
}

TEST_F(ProgramResources, ManifestIsThere) {
  EXPECT_NE(FindResourceW(module_, MAKEINTRESOURCEW(1), RT_MANIFEST), nullptr);
}

}  // namespace
}  // namespace tallowmere::test
