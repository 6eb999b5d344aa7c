// The end-to-end harness checked against a second program of known
// behaviour (this test program started as a sample window) and against
// windows of the test process itself, so that a harness fault shows here
// rather than as a puzzling failure of a test of Tallowmere.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CaseName.h"
#include "platform/win32/Gdi.h"
#include "platform/win32/RegKey.h"
#include "platform/win32/Text.h"
#include "win/support/Describe.h"
#include "win/support/FileBytes.h"
#include "win/support/FileWatch.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"
#include "win/support/Registry.h"
#include "win/support/RunningProgram.h"
#include "win/support/SampleWindow.h"
#include "win/support/ScreenCapture.h"
#include "win/support/TallowmereBuild.h"
#include "win/support/TestFolder.h"
#include "win/support/TwipsLayout.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

class SampleProgram : public ::testing::Test {
 protected:
  std::unique_ptr<RunningProgram> Start(COLORREF colour, bool ignoreClose = false) {
    std::wstring arguments = std::wstring(kSampleWindowArgument) + L" " + Wide(Hex(colour));
    if (ignoreClose) arguments += L" " + std::wstring(kIgnoreCloseArgument);
    return std::make_unique<RunningProgram>(ProgramStart{TestProgram(), temp_, arguments});
  }

  TestFolder folder_;
  // A user name outside any 8-bit code page.
  std::filesystem::path temp_ = folder_.MakeFolder(L"Zoë Юлия\\Temp");
};

TEST_F(SampleProgram, SeesTheNonAsciiTempOfItsEnvironmentBlock) {
  auto program = Start(0x808080);
  ASSERT_NE(program->WaitForMainWindow(kSampleWindowTitle), nullptr);
  const auto report = ReadFileBytes(temp_ / kSampleTempReport);
  ASSERT_TRUE(report.has_value()) << "the program wrote no report into its TEMP";
  EXPECT_EQ(*report, Utf8(temp_.wstring()));
}

TEST_F(SampleProgram, ChildIsFoundByItsExactTextAtItsPlace) {
  auto program = Start(0x808080);
  HWND window = program->WaitForMainWindow(kSampleWindowTitle);
  ASSERT_NE(window, nullptr);

  EXPECT_EQ(Describe(ScreenRect(window)), Describe(kSampleWindowRect));
  const auto children = FindChildren(window, kSampleChildText);
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(ClassName(children[0]), L"Button");
  EXPECT_EQ(Describe(RectInParent(children[0])), Describe(kSampleChildRect));
  EXPECT_TRUE(FindChildren(window, L"Sample").empty());
  EXPECT_TRUE(FindChildren(window, L"sample child").empty());
  EXPECT_EQ(program->WaitForMainWindow(L"No such window", std::chrono::seconds(1)), nullptr);
}

// Asked to close, the program ends in order; one that ignores the request is
// terminated.
TEST_F(SampleProgram, EndingClosesOrTerminates) {
  auto orderly = Start(0x808080);
  auto stubborn = Start(0x808080, true);
  ASSERT_NE(orderly->WaitForMainWindow(kSampleWindowTitle), nullptr);
  ASSERT_NE(stubborn->WaitForMainWindow(kSampleWindowTitle), nullptr);
  EXPECT_TRUE(orderly->End());
  EXPECT_EQ(orderly->ExitCode(), 0u);
  EXPECT_FALSE(stubborn->End(std::chrono::seconds(1)));
  EXPECT_TRUE(stubborn->HasExited());
}

// A colour whose red and blue differ, so that a capture that swaps them shows.
TEST_F(SampleProgram, ScreenShowsTheColourOfAnotherProgramsWindow) {
  const COLORREF colour = 0x3366CC;
  auto program = Start(colour);
  HWND window = program->WaitForMainWindow(kSampleWindowTitle);
  ASSERT_NE(window, nullptr);
  // The face right of the child, and one pixel of it, both in the colour.
  const RECT face = {kSampleWindowRect.left + kSampleChildRect.right + 10, kSampleWindowRect.top,
                     kSampleWindowRect.right, kSampleWindowRect.bottom};
  COLORREF seen = 0;
  EXPECT_TRUE(WaitFor([&] {
    const auto capture = ScreenCapture::Take();
    seen = capture.MostCommonColour(face);
    return seen == colour && capture.At(face.right - 5, face.bottom - 5) == colour;
  })) << "expected "
      << Hex(colour) << ", most common " << Hex(seen);
}

TEST(ScreenCapture, MostCommonColourIgnoresACaptionDrawnOverTheFace) {
  const RECT place = {500, 500, 600, 530};
  InputReceiver receiver(place, 0x00FF00);
  {
    WindowDC dc(receiver.Window());
    SetBkMode(dc.Get(), TRANSPARENT);
    TextOutW(dc.Get(), 10, 8, L"Caption", 7);
  }
  COLORREF seen = 0;
  EXPECT_TRUE(WaitFor([&] {
    seen = ScreenCapture::Take().MostCommonColour(Inset(place, 3));
    return seen == 0x00FF00;
  })) << Hex(seen);
}

TEST(ScreenCapture, SavesABitmapOfTheWholeScreen) {
  TestFolder folder;
  const auto file = folder.Path() / L"screen.bmp";
  const auto capture = ScreenCapture::Take();
  capture.Save(file);
  const auto bytes = ReadFileBytes(file);
  ASSERT_TRUE(bytes.has_value());
  const std::size_t rowBytes =
      (static_cast<std::size_t>(capture.Width()) * 3 + 3) & ~std::size_t{3};
  EXPECT_EQ(bytes->size(), 54 + rowBytes * static_cast<std::size_t>(capture.Height()));
  EXPECT_EQ(bytes->substr(0, 2), "BM");
}

// Two receivers side by side: input meant for one must reach that one only.
// Showing and hiding a window costs about a second each under Wine without a
// window manager, so the pair lives for the whole suite.
class Receivers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    left = std::make_unique<InputReceiver>(RECT{200, 600, 400, 700}, 0x3366CC);
    right = std::make_unique<InputReceiver>(RECT{450, 600, 650, 700}, 0xCC3366);
  }
  static void TearDownTestSuite() {
    left.reset();
    right.reset();
  }
  void SetUp() override {
    left->Reset();
    right->Reset();
  }

  static std::unique_ptr<InputReceiver> left;
  static std::unique_ptr<InputReceiver> right;
  InputReceiver& left_ = *left;
  InputReceiver& right_ = *right;
};

std::unique_ptr<InputReceiver> Receivers::left;
std::unique_ptr<InputReceiver> Receivers::right;

struct ClickCase {
  MouseButton button;
  UINT down;
  UINT up;
};

class ReceiverClicks : public Receivers, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ReceiverClicks, ReachOnlyTheWindowUnderThePointerAtThatPoint) {
  const auto [button, down, up] = GetParam();
  const RECT target = ScreenRect(right_.Window());
  ClickAt({target.left + 30, target.top + 40}, button);
  ASSERT_TRUE(WaitFor([&] { return right_.Count(up) == 1; }));
  EXPECT_EQ(right_.Count(down), 1);
  EXPECT_EQ(right_.LastPress().x, 30);
  EXPECT_EQ(right_.LastPress().y, 40);
  EXPECT_EQ(left_.Count(down), 0);
  EXPECT_EQ(left_.Count(up), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ReceiverClicks,
    ::testing::Values(ClickCase{MouseButton::Left, WM_LBUTTONDOWN, WM_LBUTTONUP},
                      ClickCase{MouseButton::Right, WM_RBUTTONDOWN, WM_RBUTTONUP},
                      ClickCase{MouseButton::Middle, WM_MBUTTONDOWN, WM_MBUTTONUP}));

TEST_F(Receivers, KeysReachTheForegroundWindowOnlyAndAHeldKeyStaysDown) {
  ASSERT_TRUE(right_.BringToFront());
  TapKey('Q');
  TapKey(VK_RSHIFT);
  ASSERT_TRUE(WaitFor([&] { return right_.Count(WM_KEYUP) == 2; }));
  EXPECT_EQ(right_.KeysDown(), (std::vector<WPARAM>{'Q', VK_SHIFT}));
  EXPECT_EQ(left_.Count(WM_KEYDOWN), 0);

  PressKey('W');
  ASSERT_TRUE(WaitFor([&] { return right_.Count(WM_KEYDOWN) == 3; }));
  EXPECT_TRUE(GetAsyncKeyState('W') & 0x8000);
  ReleaseKey('W');
  ASSERT_TRUE(WaitFor([&] { return right_.Count(WM_KEYUP) == 3; }));
  EXPECT_FALSE(GetAsyncKeyState('W') & 0x8000);
}

TEST_F(Receivers, PointerMovesAndWheelTurnsAreCounted) {
  const POINT centre = Centre(ScreenRect(right_.Window()));
  ClickAt(centre);
  ASSERT_TRUE(WaitFor([&] { return right_.Count(WM_LBUTTONUP) == 1; }));
  const int movesBefore = right_.Count(WM_MOUSEMOVE);
  MovePointerBy(5, 5);
  EXPECT_TRUE(WaitFor([&] { return right_.Count(WM_MOUSEMOVE) > movesBefore; }));
  TurnWheel(1);
  EXPECT_TRUE(WaitFor([&] { return right_.Count(WM_MOUSEWHEEL) == 1; }));
  EXPECT_EQ(left_.Count(WM_MOUSEWHEEL), 0);
}

struct PlaceCase {
  LONG pixels;
  int twips;
  int dpi;
  bool stands;
};

class TwipsPlaces : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(TwipsPlaces, MatchToWithinTheRoundingOfOneEdge) {
  const auto [pixels, twips, dpi, stands] = GetParam();
  const RECT rect{pixels, pixels, pixels + pixels, pixels + pixels};
  EXPECT_EQ(StandsAt(rect, {twips, twips, twips, twips}, dpi), stands);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TwipsPlaces,
    ::testing::Values(PlaceCase{22, 330, 96, true}, PlaceCase{23, 330, 96, false},
                      PlaceCase{21, 330, 96, false}, PlaceCase{360, 5410, 96, true},
                      PlaceCase{361, 5410, 96, true}, PlaceCase{362, 5410, 96, false},
                      PlaceCase{33, 330, 144, true}, PlaceCase{22, 330, 144, false}));

TEST(FileBytes, ReadsExactlyWhatWasWrittenAndNothingForAMissingFile) {
  TestFolder folder;
  const auto file = folder.MakeFolder(L"Zoë") / L"xsettings.txt";
  EXPECT_FALSE(ReadFileBytes(file).has_value());
  const std::string bytes("65,83,\r\n\0\xFF", 10);
  WriteFileBytes(file, bytes);
  EXPECT_EQ(ReadFileBytes(file), bytes);
}

TEST(FileBytes, StampChangesWhenTheFileIsReplacedAndIsNothingForAMissingFile) {
  TestFolder folder;
  const auto file = folder.Path() / L"xsettings.txt";
  EXPECT_FALSE(StampOf(file).has_value());
  WriteFileBytes(file, "65,\r\n");
  const auto first = StampOf(file);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->size, 5u);
  const auto beside = folder.Path() / L"xsettings.new";
  WriteFileBytes(beside, "66,\r\n");
  ASSERT_TRUE(MoveFileExW(beside.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_NE(StampOf(file), first);
}

TEST(FileWatch, SeesTheFileAsItStoodAndEachReplacement) {
  TestFolder folder;
  const auto file = folder.Path() / L"xsettings.txt";
  WriteFileBytes(file, "\r\n");
  FileWatch watch(file);
  EXPECT_EQ(watch.Last(), std::optional<std::string>("\r\n"));
  EXPECT_FALSE(watch.WaitForBytes("65,\r\n", std::chrono::milliseconds(100)));
  const auto beside = folder.Path() / L"xsettings.new";
  WriteFileBytes(beside, "65,\r\n");
  ASSERT_TRUE(MoveFileExW(beside.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_TRUE(watch.WaitForBytes("65,\r\n"));
  ASSERT_TRUE(DeleteFileW(file.c_str()));
  EXPECT_TRUE(WaitFor([&] {
    watch.WaitForBytes("", std::chrono::milliseconds(0));
    return !watch.Last().has_value();
  }));
}

TEST(Registry, DeletingATreeRemovesItsSubKeysAndAMissingKeyIsNoFailure) {
  const std::wstring root = L"Software\\TallowmereE2E-" + std::to_wstring(GetCurrentProcessId());
  {
    RegKey created;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (root + L"\\Sub").c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, created.Receive(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(created.Get(), L"Value", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"On"), 6);
  }
  ASSERT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, root + L"\\Sub"));
  DeleteRegistryTree(HKEY_CURRENT_USER, root);
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, root));
  EXPECT_NO_THROW(DeleteRegistryTree(HKEY_CURRENT_USER, root));
}

TEST(TestFolders, AreFreshPerTestAndRemovedAfterwards) {
  std::filesystem::path first;
  {
    TestFolder a;
    TestFolder b;
    first = a.Path();
    EXPECT_NE(a.Path(), b.Path());
    EXPECT_TRUE(std::filesystem::is_empty(a.Path()));
    WriteFileBytes(a.MakeFolder(L"sub") / L"f.txt", "x");
  }
  EXPECT_FALSE(std::filesystem::exists(first));
}

// Captions of the main window are drawn in Arial and Arial Narrow; Wine
// must find faces with their metrics (Liberation Sans and Liberation Sans
// Narrow) rather than a fallback of other widths. Wine reports a mapped face
// under the name asked for, so the font file's own name table tells.
struct FontFace {
  const char* name;
  std::wstring family;   // what the window asks for
  std::string realised;  // the family in the font file Wine gives it
};

// Whether the font selected into the DC names this family in its name table
// (stored as UTF-16 big-endian for Windows).
bool NameTableHolds(HDC dc, std::string_view family) {
  constexpr DWORD kNameTable = 'n' | ('a' << 8) | ('m' << 16) | ('e' << 24);
  const DWORD size = GetFontData(dc, kNameTable, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0) return false;
  std::string table(size, '\0');
  GetFontData(dc, kNameTable, 0, table.data(), size);
  std::string utf16be;
  for (char c : family) {
    utf16be += '\0';
    utf16be += c;
  }
  return table.find(utf16be) != std::string::npos;
}

class WineFonts : public ::testing::TestWithParam<FontFace> {};

TEST_P(WineFonts, MapToTheLiberationFaceOfTheSameMetrics) {
  WindowDC dc(nullptr);
  LOGFONTW font{};
  font.lfHeight = -12;
  GetParam().family.copy(font.lfFaceName, LF_FACESIZE - 1);
  GdiFont handle(CreateFontIndirectW(&font));
  SelectScope selection(dc.Get(), handle.Get());
  EXPECT_TRUE(NameTableHolds(dc.Get(), GetParam().realised));
  EXPECT_FALSE(NameTableHolds(dc.Get(), "Liberation Serif"));
}

INSTANTIATE_TEST_SUITE_P(Faces, WineFonts,
                         ::testing::Values(FontFace{"Arial", L"Arial", "Liberation Sans"},
                                           FontFace{"ArialNarrow", L"Arial Narrow",
                                                    "Liberation Sans Narrow"}),
                         CaseName());

}  // namespace
}  // namespace tallowmere::test
