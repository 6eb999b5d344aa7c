#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/AppError.h"
#include "platform/win32/RegKey.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SettingsStore.h"
#include "tray/StartupSettings.h"
#include "tray/mStartUp.h"
#include "win/support/TallowmereBuild.h"

namespace tallowmere::test {
namespace {

const wchar_t kRun[] = L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

// Reads a text value back with the registry API itself; `type` is 0 when the
// value is absent.
std::wstring ReadString(HKEY root, const wchar_t* subkey, const std::wstring& name, DWORD& type) {
  type = 0;
  wchar_t data[1024];
  DWORD size = sizeof data;
  if (RegGetValueW(root, subkey, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return std::wstring(data, size / sizeof(wchar_t) - 1);
}

bool ValueExists(HKEY root, const wchar_t* subkey, const std::wstring& name) {
  return RegGetValueW(root, subkey, name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

// Wine starts every value of the Run key when a prefix starts: never leave
// one behind.
class RunValueCleanup {
 public:
  explicit RunValueCleanup(std::wstring name) : name_(std::move(name)) {}
  ~RunValueCleanup() {
    RegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
      RegDeleteValueW(key.Get(), name_.c_str());
    }
  }

 private:
  std::wstring name_;
};

TEST(Win32StartupEntry, AddWritesTheProgramsPathAndRemoveDeletesIt) {
  Win32Registry registry;
  Win32Environment environment;
  const std::wstring name = L"win_tests.exe";
  ASSERT_EQ(environment.ProgramFileName(), "win_tests.exe");
  RunValueCleanup cleanup(name);
  mStartUp startUp(registry, environment);

  startUp.AddEntry();
  DWORD type = 0;
  const std::wstring data = ReadString(HKEY_LOCAL_MACHINE, kRun, name, type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  std::wstring expected = TestProgram().wstring();
  if (expected.find(L' ') != std::wstring::npos) expected = L"\"" + expected + L"\"";
  EXPECT_EQ(data, expected);

  startUp.RemoveEntry();
  EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kRun, name));
  EXPECT_NO_THROW(
      registry.Open(RegistryRoot::LocalMachine, std::string(kRunSubkey), kOpenKeyAccess)
          ->DeleteValue("win_tests.exe"))
      << "a value that is not there is no failure";
}

TEST(Win32Registry, StringAndDwordValuesKeepTheirTypes) {
  const wchar_t* subkey = L"Software\\Varnholt\\TallowmereWinTest";
  RegKey created;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            created.Receive(), nullptr),
            ERROR_SUCCESS);
  Win32Registry registry;
  Win32Environment environment;
  RegStuff regStuff(registry, environment);
  regStuff.SetValue(RegistryRoot::CurrentUser, "Software\\Varnholt\\TallowmereWinTest",
                    "Zo\xC3\xAB", std::string("na\xC3\xAFve"), kRegSz);
  regStuff.SetValue(RegistryRoot::CurrentUser, "Software\\Varnholt\\TallowmereWinTest", "n",
                    std::int32_t{-2}, kRegDword);
  regStuff.SetValue(RegistryRoot::CurrentUser, "Software\\Varnholt\\TallowmereWinTest", "b",
                    std::string("x"), 3);

  DWORD type = 0;
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, subkey, L"Zo\u00EB", type), L"na\u00EFve");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  DWORD number = 0;
  DWORD size = sizeof number;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, subkey, L"n", RRF_RT_REG_DWORD, &type, &number, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(number, 0xFFFFFFFEu);
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, subkey, L"b"));
  RegDeleteTreeW(HKEY_CURRENT_USER, subkey);
  RegDeleteKeyW(HKEY_CURRENT_USER, subkey);
}

TEST(Win32Registry, OpeningAMissingKeyFailsWithTheSystemsText) {
  Win32Registry registry;
  try {
    registry.Open(RegistryRoot::LocalMachine, "SOFTWARE\\NoSuchVendor\\NoSuchKey", 0x3F);
    FAIL() << "opened a key that does not exist";
  } catch (const AppError& e) {
    EXPECT_FALSE(e.Description().empty());
  }
}

class Win32Settings : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VarnholtWinTest"); }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VarnholtWinTest");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VarnholtWinTest");
  }
  Win32SettingsStore store;
};

TEST_F(Win32Settings, AbsentKeyGivesTheFallback) {
  EXPECT_EQ(store.Get("VarnholtWinTest", "Tallowmere", "Minimized", "Off"), "Off");
}

TEST_F(Win32Settings, StoredTextReadsBackUnchangedUnderTheCurrentUser) {
  store.Set("VarnholtWinTest", "Tallowmere", "Windows Startup", "On");
  store.Set("VarnholtWinTest", "Tallowmere", "Text", "Zo\xC3\xAB, \xE2\x82\xAC");
  store.Set("VarnholtWinTest", "Tallowmere", "Empty", "");
  EXPECT_EQ(store.Get("VarnholtWinTest", "Tallowmere", "Windows Startup", "Off"), "On");
  EXPECT_EQ(store.Get("VarnholtWinTest", "Tallowmere", "Text", ""), "Zo\xC3\xAB, \xE2\x82\xAC");
  EXPECT_EQ(store.Get("VarnholtWinTest", "Tallowmere", "Empty", "Off"), "");
  DWORD type = 0;
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, L"Software\\VarnholtWinTest\\Tallowmere",
                       L"Windows Startup", type),
            L"On");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(Win32Settings, ValueWithoutTerminatingNulReadsWhole) {
  RegKey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VarnholtWinTest\\Tallowmere", 0, nullptr,
                            0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr),
            ERROR_SUCCESS);
  const wchar_t text[2] = {L'O', L'n'};
  ASSERT_EQ(RegSetValueExW(key.Get(), L"Minimized", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                           sizeof text),
            ERROR_SUCCESS);
  EXPECT_EQ(store.Get("VarnholtWinTest", "Tallowmere", "Minimized", "Off"), "On");
}

TEST_F(Win32Settings, ANumberReadsAsTheFallbackAnExpandableTextAsItsText) {
  RegKey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VarnholtWinTest\\Tallowmere", 0, nullptr,
                            0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr),
            ERROR_SUCCESS);
  const DWORD one = 1;
  ASSERT_EQ(RegSetValueExW(key.Get(), L"Minimized", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&one), sizeof one),
            ERROR_SUCCESS);
  EXPECT_EQ(store.Get("VarnholtWinTest", "Tallowmere", "Minimized", "Off"), "Off");
  ASSERT_EQ(RegSetValueExW(key.Get(), L"Windows Startup", 0, REG_EXPAND_SZ,
                           reinterpret_cast<const BYTE*>(L"On"), sizeof L"On"),
            ERROR_SUCCESS);
  EXPECT_EQ(store.Get("VarnholtWinTest", "Tallowmere", "Windows Startup", "Off"), "On");
}

TEST(Win32StartupSettings, LiveUnderSoftwareVarnholtTallowmere) {
  Win32SettingsStore store;
  StartupSettings settings(store);
  DWORD type = 0;
  const wchar_t* section = L"Software\\Varnholt\\Tallowmere";
  const std::wstring before = ReadString(HKEY_CURRENT_USER, section, L"Minimized", type);
  const bool existed = type != 0;
  settings.SetMinimized(true);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, section, L"Minimized", type), L"On");
  EXPECT_TRUE(settings.Minimized());
  settings.SetMinimized(false);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, section, L"Minimized", type), L"Off");
  EXPECT_FALSE(settings.Minimized());
  RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, section, 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
    if (existed) {
      RegSetValueExW(key.Get(), L"Minimized", 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(before.c_str()),
                     static_cast<DWORD>((before.size() + 1) * sizeof(wchar_t)));
    } else {
      RegDeleteValueW(key.Get(), L"Minimized");
    }
  }
}

}  // namespace
}  // namespace tallowmere::test
