// A catalogue of bad input and faults around the block list, TEMP and the
// settings, met by the real Tallowmere.exe under real input. Whatever the
// case: the program neither ends nor stops answering, the hooks go on
// deciding every key, a save the system refuses is reported, and the last
// good list stays on disk byte for byte.
//
// Covered elsewhere and not repeated here: a corrupt pointer file, a corrupt
// skin and a folder named like the skin (ShellStartTest), TEMP names beyond
// any code page (BlockListByClicksTest), a missing TEMP folder
// (MarkingAndLockingTest), the hooks' reader against huge, held and
// directory lists (tests/win), and a Run key that Windows refuses to change
// (tests/unit, Form1StartupOptionsTest: Wine lets every program write there).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "CaseName.h"
#include "engine/KeyTable.h"
#include "platform/win32/Handle.h"
#include "platform/win32/Text.h"
#include "win/support/Describe.h"
#include "win/support/ErrorBoxes.h"
#include "win/support/FileBytes.h"
#include "win/support/FileWatch.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"
#include "win/support/MainWindowUnderTest.h"
#include "win/support/Registry.h"
#include "win/support/ScreenCapture.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

// The key buttons a, b, c and d.
constexpr int kKeyA = 41, kKeyB = 57, kKeyC = 55, kKeyD = 43;

// The program, its block list and what a case holds in place meanwhile.
struct Scene {
  explicit Scene(TallowmereUnderTest& program) : program(program) {}
  TallowmereUnderTest& program;
  std::filesystem::path list = program.BlockListFile();
  std::optional<Handle> holder;  // another program's handle on the list

  // A list outside the test's folder goes too; the program holds no file
  // open between its calls.
  ~Scene() {
    std::error_code ignored;
    std::filesystem::remove(list, ignored);
  }
};

class BadInput : public MainWindowUnderTest, public ::testing::Test {
 protected:
  // Answers the load's report boxes, which must name exactly these lines in
  // this order, and returns the main window once it is shown.
  HWND StartAnswering(const std::vector<int>& loadLines) {
    program_.Launch();
    for (const int line : loadLines) {
      if (!ExpectReport(L"Form_Load", line)) return nullptr;
    }
    if (!Found(Program().WaitForMainWindow(kMainWindowTitle))) return nullptr;
    EXPECT_TRUE(ErrorBoxes(Program()).empty()) << "a report beyond the expected ones";
    return window_;
  }

  // Waits for the report of the handler's line, checks that the system's
  // reason comes first, and closes it as a user does; returns whether it
  // came and went.
  bool ExpectReport(std::wstring_view handler, int line) {
    HWND box = nullptr;
    if (!WaitFor([&] {
          const auto boxes = ErrorBoxes(Program());
          box = boxes.empty() ? nullptr : boxes.front();
          return box != nullptr;
        })) {
      ADD_FAILURE() << "no report of line " << line;
      return false;
    }
    const std::wstring message = BoxMessage(box);
    const std::wstring context = L"\r\nin Quorvane2021/08/31.Form1." + std::wstring(handler) +
                                 L" at line " + std::to_wstring(line) + L"\r\r";
    const std::size_t at = message.find(context);
    EXPECT_NE(at, std::wstring::npos) << Utf8(message);
    EXPECT_GT(at, 0u) << "the reason is missing: " << Utf8(message);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return !IsWindow(box); });
  }

  // Taps A to D into another program's window and checks which arrive. No
  // case blocks D, so its arrival shows that the hooks have decided every key
  // before it; without it they hang.
  static void ExpectKeysArriving(InputReceiver& receiver, const std::vector<WPARAM>& arriving) {
    EXPECT_EQ(receiver.KeysArriving({'A', 'B', 'C', 'D'}), arriving);
  }

  // Still running, and its window still handles a message at once.
  void ExpectAnswering() {
    EXPECT_FALSE(Program().HasExited());
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0)
        << "the window does not answer";
  }

  void ExpectList(const std::optional<std::string>& expected) {
    const auto held = ReadFileBytes(scene_.list);
    EXPECT_EQ(held, expected) << "the list holds "
                              << (held ? Visible(held->substr(0, 80)) : std::string("nothing"));
  }

  Scene scene_{program_};
};

// ---------------------------------------------------------------------------
// Lists the program never wrote, found in TEMP at start: the load marks, at
// once and without a report, exactly what the hooks will block (of a long
// list, only its start: "c" at the end of megabytes stays unmarked), and
// nothing writes them, so each stays on disk as it was.

struct OddList {
  const char* name;
  std::string bytes;
  std::vector<int> marked;  // of the keys a, b, c and d
};

std::string Repeated(const std::string& piece, std::size_t bytes) {
  std::string text;
  text.reserve(bytes + piece.size());
  while (text.size() < bytes) text += piece;
  return text;
}

std::string EveryByte(int times) {
  std::string bytes;
  for (int t = 0; t < times; ++t) {
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  }
  return bytes;
}

const std::string kSeveralMegabytes = Repeated("65,999,", 4 << 20) + "67,\r\n";
const std::string kOneLongLine = "65," + std::string(1 << 20, '7') + ",67,\r\n";
const std::string kBinaryWithNul = std::string("65,\0,67,\r\n", 10) + EveryByte(64);

class OddBlockList : public BadInput, public ::testing::WithParamInterface<OddList> {};

TEST_P(OddBlockList, IsRestoredWithoutReportAndStaysAsItWas) {
  const OddList& c = GetParam();
  WriteFileBytes(scene_.list, c.bytes);
  ASSERT_NE(StartAnswering({}), nullptr);
  std::string wrong;
  EXPECT_TRUE(WaitFor([&] {
    wrong.clear();
    const auto screen = ScreenCapture::Take();
    for (const int key : {kKeyA, kKeyB, kKeyC, kKeyD}) {
      const bool marked = std::find(c.marked.begin(), c.marked.end(), key) != c.marked.end();
      const COLORREF face = screen.MostCommonColour(Inset(ScreenRect(Key(key)), 3));
      if (face != (marked ? kMarkedColor : kUnmarkedColor)) {
        wrong += " key " + std::to_string(key) + " shows " + Hex(face);
      }
    }
    return wrong.empty();
  })) << wrong;
  ExpectAnswering();
  ExpectList(c.bytes);
  EXPECT_TRUE(Program().End());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, OddBlockList,
                         ::testing::Values(OddList{"SeveralMegabytes", kSeveralMegabytes, {kKeyA}},
                                           OddList{"OneLineOfAMegabyte", kOneLongLine, {kKeyA}},
                                           OddList{
                                               "BinaryWithNul", kBinaryWithNul, {kKeyA, kKeyC}}),
                         CaseName());

// While locking is on, the hooks read the list afresh for every key: other
// programs' odd lists cost neither a key nor an answer, and while the list
// cannot be read (held without sharing, gone, a folder) the list the hooks
// read last decides. Each row puts a list in place and taps A to D.
struct ListWhileLocking {
  const char* name;
  std::function<void(Scene&)> put;
  std::vector<WPARAM> arriving;
};

std::function<void(Scene&)> Bytes(const std::string& bytes) {
  return [bytes](Scene& s) { WriteFileBytes(s.list, bytes); };
}

TEST_F(BadInput, HooksServeWhateverTheListHolds) {
  const std::vector<ListWhileLocking> rows = {
      {"a good list", Bytes("65,67,\r\n"), {'B', 'D'}},
      {"held by another program",
       [](Scene& s) {
         s.holder.emplace(CreateFileW(s.list.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
         ASSERT_TRUE(s.holder->Valid());
       },
       {'B', 'D'}},
      {"let go, then a folder",
       [](Scene& s) {
         s.holder.reset();
         std::filesystem::remove(s.list);
         std::filesystem::create_directory(s.list);
       },
       {'B', 'D'}},
      {"nothing", [](Scene& s) { std::filesystem::remove(s.list); }, {'B', 'D'}},
      // Only what lies within the hooks' bound counts.
      {"several megabytes", Bytes(kSeveralMegabytes), {'B', 'C', 'D'}},
      {"one long line", Bytes(kOneLongLine), {'B', 'C', 'D'}},
      {"binary with a NUL", Bytes(kBinaryWithNul), {'B', 'D'}},
      {"no commas", Bytes("65 66 67\r\n"), {'A', 'B', 'C', 'D'}},
      {"the good list again", Bytes("65,67,\r\n"), {'B', 'D'}},
  };
  WriteFileBytes(scene_.list, "65,67,\r\n");
  ASSERT_NE(StartAnswering({}), nullptr);
  StartLocking();
  InputReceiver receiver({700, 600, 900, 700}, 0x3366CC);
  for (const ListWhileLocking& row : rows) {
    SCOPED_TRACE(row.name);
    row.put(scene_);
    ExpectKeysArriving(receiver, row.arriving);
  }
  ExpectAnswering();
  ExpectList("65,67,\r\n");
  EXPECT_TRUE(Program().End());
}

// ---------------------------------------------------------------------------
// A list the system will not let the program read or replace, or no TEMP to
// put it in. Each save the system refuses is reported; once the fault is
// mended, the next click saves what the screen shows, the keys clicked
// meanwhile included.
//
// A read-only list is no such case here: Wine replaces a file with the
// read-only attribute where Windows refuses, and as root the test cannot
// take the write permission from a folder either; TEMP naming a file
// stands for a TEMP the program cannot write.

std::function<void()> Nothing(Scene&) {
  return [] {};
}

struct Fault {
  const char* name;
  // Puts the fault in place before the start.
  std::function<void(Scene&)> before;
  // Puts the fault in place once the window is up; returns what mends it.
  std::function<std::function<void()>(Scene&)> during = Nothing;
  std::vector<int> loadLines = {};  // the lines the load reports
  bool refusesSaves = false;
  // What the list holds after the click on b: while saves are refused, the
  // last good list, or nothing when there was none.
  std::optional<std::string> listAfterB = std::nullopt;
  std::string listAfterMend = "67,66,\r\n";  // once b and c are marked
  // The keys that arrive while locking is on, for a case whose list lies
  // where the hooks might look elsewhere.
  std::optional<std::vector<WPARAM>> arriving = std::nullopt;
};

class FaultAroundTheList : public BadInput, public ::testing::WithParamInterface<Fault> {};

TEST_P(FaultAroundTheList, IsReportedAndTheLastGoodListStays) {
  const Fault& c = GetParam();
  c.before(scene_);
  ASSERT_NE(StartAnswering(c.loadLines), nullptr);
  const std::function<void()> mend = c.during(scene_);

  FileWatch list(scene_.list);
  Click(Key(kKeyB));
  if (c.refusesSaves) {
    ExpectReport(L"cmdKey_Click", 114);
    mend();
    // The report shows that the click's handler is done: the list can be
    // read without meeting a save.
    ExpectList(c.listAfterB);
  } else {
    EXPECT_TRUE(list.WaitForBytes(c.listAfterB.value()));
  }
  Click(Key(kKeyC));
  EXPECT_TRUE(list.WaitForBytes(c.listAfterMend))
      << "the list holds " << (list.Last() ? Visible(*list.Last()) : std::string("nothing"));
  EXPECT_FALSE(std::filesystem::exists(scene_.list.wstring() + L".new"));
  EXPECT_TRUE(ErrorBoxes(Program()).empty());

  if (c.arriving) {
    StartLocking();
    InputReceiver receiver({700, 600, 900, 700}, 0x3366CC);
    ExpectKeysArriving(receiver, *c.arriving);
  }
  ExpectAnswering();
  ExpectList(c.listAfterMend);
  EXPECT_TRUE(Program().End());
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, FaultAroundTheList,
    ::testing::Values(
        // The first start finds no list in TEMP and none to copy there.
        Fault{.name = "DefaultListMissing",
              .before =
                  [](Scene& s) {
                    std::filesystem::remove(s.program.ProgramFolder() / L"xsettings.txt");
                  },
              .loadLines = {138, 140},
              .listAfterB = "66,\r\n"},
        Fault{.name = "ListIsAFolder",
              .before = [](Scene& s) { std::filesystem::create_directory(s.list); },
              .during = [](Scene& s) -> std::function<void()> {
                return [&s] { std::filesystem::remove(s.list); };
              },
              .loadLines = {140},
              .refusesSaves = true},
        Fault{.name = "ListHeldByAnotherProgram",
              .before = [](Scene& s) { WriteFileBytes(s.list, "65,\r\n"); },
              .during = [](Scene& s) -> std::function<void()> {
                s.holder.emplace(CreateFileW(s.list.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                             nullptr));
                EXPECT_TRUE(s.holder->Valid());
                return [&s] { s.holder.reset(); };
              },
              .refusesSaves = true,
              .listAfterB = "65,\r\n",
              .listAfterMend = "65,67,66,\r\n"},
        // TEMP names a file: no folder can hold the list until the file makes
        // way for one.
        Fault{.name = "TempIsAFile",
              .before =
                  [](Scene& s) {
                    const auto file = s.program.Temp() / L"not a folder";
                    WriteFileBytes(file, "not a folder");
                    s.program.SetProgramTemp(file);
                    s.list = file / L"xsettings.txt";
                  },
              .during = [](Scene& s) -> std::function<void()> {
                return [&s] {
                  std::filesystem::remove(s.list.parent_path());
                  std::filesystem::create_directory(s.list.parent_path());
                };
              },
              .loadLines = {138, 140},
              .refusesSaves = true},
        // Without TEMP the list lives at the root of the program's drive, for
        // the save and the hooks alike.
        Fault{.name = "TempUnset",
              .before =
                  [](Scene& s) {
                    s.program.SetProgramTemp(std::nullopt);
                    s.list = s.program.ProgramFolder().root_path() / L"xsettings.txt";
                    std::filesystem::remove(s.list);
                  },
              .listAfterB = "66,\r\n",
              .arriving = std::vector<WPARAM>{'A', 'D'}}),
    CaseName());

// ---------------------------------------------------------------------------
// Settings that the program never wrote: only the exact text "On" counts, so
// each comes up shown and idle, without a report, and leaves them as they
// were.

struct StoredValue {
  DWORD type;
  std::string bytes;
};

struct StrangeSetting {
  const char* name;
  StoredValue windowsStartup;
  StoredValue minimized;
};

std::string Utf16(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()),
                     (text.size() + 1) * sizeof(wchar_t));
}

void Store(const wchar_t* name, const StoredValue& value) {
  SetRegistryValue(HKEY_CURRENT_USER, kSettingsKey, name, value.type, value.bytes);
}

std::optional<StoredValue> Stored(const wchar_t* name) {
  StoredValue value{};
  DWORD size = 0;
  const std::wstring key(kSettingsKey);
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                   nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                   value.bytes.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  return value;
}

class StrangeSettings : public BadInput, public ::testing::WithParamInterface<StrangeSetting> {
 protected:
  ~StrangeSettings() override { DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsKey); }
};

TEST_P(StrangeSettings, ComeUpShownAndIdleAndStayAsTheyWere) {
  const StrangeSetting& c = GetParam();
  WriteFileBytes(scene_.list, "65,\r\n");
  Store(L"Windows Startup", c.windowsStartup);
  Store(L"Minimized", c.minimized);

  ASSERT_NE(StartAnswering({}), nullptr);
  EXPECT_EQ(WindowText(Control(ControlId::PushButton6)), L"Start Disabling");
  EXPECT_EQ(SendMessageW(Control(ControlId::Check6), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ExpectAnswering();
  for (const auto& [name, value] :
       {std::pair{L"Windows Startup", c.windowsStartup}, std::pair{L"Minimized", c.minimized}}) {
    const auto stored = Stored(name);
    ASSERT_TRUE(stored.has_value()) << Utf8(name);
    EXPECT_EQ(stored->type, value.type) << Utf8(name);
    EXPECT_EQ(stored->bytes, value.bytes) << Utf8(name);
  }
  ExpectList("65,\r\n");
  EXPECT_TRUE(Program().End());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, StrangeSettings,
                         ::testing::Values(StrangeSetting{"LowerCaseAndANumber",
                                                          {REG_SZ, Utf16(L"on")},
                                                          {REG_DWORD, std::string("\1\0\0\0", 4)}},
                                           StrangeSetting{
                                               "BytesAndLongText",
                                               {REG_BINARY, "On"},
                                               {REG_SZ, Utf16(L"On" + std::wstring(60000, L'n'))}}),
                         CaseName());

}  // namespace
}  // namespace tallowmere::test
