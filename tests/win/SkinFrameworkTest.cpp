#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "CaseName.h"
#include "platform/AppError.h"
#include "platform/win32/Gdi.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32SkinFramework.h"
#include "win/support/TestFolder.h"

namespace tallowmere::test {
namespace {

constexpr COLORREF kFace = 0x302010;  // #102030
constexpr COLORREF kText = 0xC0B0A0;  // #A0B0C0
constexpr char kSkin[] = "face = #102030\ntext = #A0B0C0\n";

// A hidden window with one child of every kind the skin tells apart.
class SkinnedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExW(0, L"Static", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    label = Child(L"Static", SS_LEFT | SS_NOTIFY);
    image = Child(L"Static", SS_BITMAP);
    tick = Child(L"Button", BS_3STATE);
    group = Child(L"Button", BS_GROUPBOX);
    edit = Child(L"Edit", ES_READONLY);
    skinPath = Utf8(folder.Write(L"x\\o.cjs", kSkin));
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
  }

  HWND Child(const wchar_t* className, DWORD style) {
    return CreateWindowExW(0, className, L"child", WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20,
                           window, nullptr, nullptr, nullptr);
  }

  void Apply() {
    skin.LoadSkin(skinPath, "");
    skin.SetOptions(skin.Options() | SkinControl::kSkinChildControls);
    skin.SetSkinText(true);
    skin.SetSkinBackground(true);
    skin.ApplyWindow(static_cast<std::int32_t>(reinterpret_cast<LONG_PTR>(window)));
  }

  struct Colours {
    COLORREF brush, background, text;
  };
  // What the window tells a control to paint with.
  Colours ColoursFor(HWND control) {
    WindowDC dc(window);
    SetTextColor(dc.Get(), RGB(1, 2, 3));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(control), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc.Get()),
                                                             reinterpret_cast<LPARAM>(control)));
    LOGBRUSH info{};
    GetObjectW(brush, sizeof info, &info);
    return {info.lbColor, GetBkColor(dc.Get()), GetTextColor(dc.Get())};
  }

  // The colour the window erases its background with.
  COLORREF Background() {
    WindowDC screen(nullptr);
    MemoryDC dc;
    GdiBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 300, 200));
    SelectScope select(dc.Get(), bitmap.Get());
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    return GetPixel(dc.Get(), 5, 5);
  }

  TestFolder folder;
  Win32Files files;
  Win32SkinFramework skin{files};
  std::string skinPath;
  HWND window = nullptr, label = nullptr, image = nullptr, tick = nullptr, group = nullptr,
       edit = nullptr;
};

TEST_F(SkinnedWindow, LabelsTickBoxesAndFramesTakeTheFaceAndText) {
  Apply();
  for (HWND control : {label, tick, group}) {
    const Colours c = ColoursFor(control);
    EXPECT_EQ(c.brush, kFace);
    EXPECT_EQ(c.background, kFace);
    EXPECT_EQ(c.text, kText);
  }
}

TEST_F(SkinnedWindow, ImagesAndEditBoxesKeepTheirColours) {
  Apply();
  EXPECT_NE(ColoursFor(image).brush, kFace);
  EXPECT_NE(ColoursFor(edit).brush, kFace);
}

TEST_F(SkinnedWindow, TheBackgroundTakesTheFace) {
  Apply();
  EXPECT_EQ(Background(), kFace);
}

TEST_F(SkinnedWindow, NothingChangesBeforeTheSkinIsApplied) {
  skin.LoadSkin(skinPath, "");
  skin.SetOptions(SkinControl::kSkinChildControls);
  skin.SetSkinBackground(true);
  EXPECT_NE(ColoursFor(label).brush, kFace);
  EXPECT_NE(Background(), kFace);
}

TEST_F(SkinnedWindow, WithoutTheChildFlagOnlyTheBackgroundIsSkinned) {
  Apply();
  skin.SetOptions(0);
  EXPECT_NE(ColoursFor(label).brush, kFace);
  EXPECT_EQ(Background(), kFace);
}

TEST_F(SkinnedWindow, WithoutTheTextSwitchTextKeepsTheWindowsColour) {
  Apply();
  skin.SetSkinText(false);
  const Colours c = ColoursFor(label);
  EXPECT_EQ(c.brush, kFace);
  EXPECT_NE(c.text, kText);
}

TEST_F(SkinnedWindow, WithoutTheBackgroundSwitchTheBackgroundStays) {
  Apply();
  skin.SetSkinBackground(false);
  EXPECT_NE(Background(), kFace);
}

TEST_F(SkinnedWindow, AFileWithoutTextColourLeavesTheText) {
  skinPath = Utf8(folder.Write(L"x\\o.cjs", "face = #102030\n"));
  Apply();
  const Colours c = ColoursFor(label);
  EXPECT_EQ(c.brush, kFace);
  EXPECT_NE(c.text, kText);
}

TEST_F(SkinnedWindow, TheWindowCanGoFirst) {
  Apply();
  DestroyWindow(window);
  SetUp();
  Apply();
  EXPECT_EQ(ColoursFor(label).brush, kFace);
}

TEST_F(SkinnedWindow, ApplyingToAnotherWindowLeavesTheFirst) {
  Apply();
  const HWND first = window, firstLabel = label;
  SetUp();
  Apply();
  EXPECT_NE(ColoursFor(firstLabel).brush, kFace);
  EXPECT_EQ(ColoursFor(label).brush, kFace);
  DestroyWindow(first);
}

struct Refusal {
  const char* name;
  std::string content;  // written to the skin file unless `missing`
  bool missing;
  std::string scheme;
};

class SkinLoadRefused : public SkinnedWindow, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SkinLoadRefused, ThrowsAndKeepsTheSkinItHad) {
  Apply();
  const std::string bad = Utf8(folder.File(L"bad.cjs"));
  if (!GetParam().missing) folder.Write(L"bad.cjs", GetParam().content);
  EXPECT_THROW(skin.LoadSkin(bad, GetParam().scheme), AppError);
  EXPECT_EQ(ColoursFor(label).brush, kFace);
}

INSTANTIATE_TEST_SUITE_P(Files, SkinLoadRefused,
                         ::testing::Values(Refusal{"Missing", "", true, ""},
                                           Refusal{"Unreadable", "face: grey\n", false, ""},
                                           Refusal{"OtherScheme", kSkin, false, "dark"}),
                         CaseName());

TEST_F(SkinnedWindow, ApplyingWithoutASkinOrToNoWindowFails) {
  EXPECT_THROW(skin.ApplyWindow(static_cast<std::int32_t>(reinterpret_cast<LONG_PTR>(window))),
               AppError);
  skin.LoadSkin(skinPath, "");
  EXPECT_THROW(skin.ApplyWindow(0), AppError);
}

}  // namespace
}  // namespace tallowmere::test
