// Tallowmere's start: the block list restored into the window, the start-up
// options restored from the settings, and the Windows start-up entry that
// "Load this software on Windows startup" adds and removes.

#include <aclapi.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/win32/RegKey.h"
#include "platform/win32/Text.h"
#include "tray/RegStuff.h"
#include "win/support/FileBytes.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"
#include "win/support/Registry.h"
#include "win/support/RunningProgram.h"
#include "win/support/ScreenCapture.h"
#include "win/support/TallowmereUnderTest.h"
#include "win/support/TrayDesktop.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

// The machine's start-up list; the user's has the same path under
// HKEY_CURRENT_USER.
const wchar_t kRunKey[] = L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
const wchar_t kRunValue[] = L"Tallowmere.exe";
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kGray = 0xC0C0C0;

void DeleteRunValues() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    RegKey key;
    if (RegOpenKeyExW(root, kRunKey, 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
      RegDeleteValueW(key.Get(), kRunValue);
    }
  }
}

// The machine's start-up list refuses to have values set, as it does for a
// standard user on Windows: a deny entry for everyone in its access list,
// which gets its old list back at the end.
class MachineRunKeyDenied {
 public:
  MachineRunKeyDenied() {
    ok_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, READ_CONTROL | WRITE_DAC, key_.Receive()) ==
              ERROR_SUCCESS &&
          GetSecurityInfo(key_.Get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                          &oldList_, nullptr, &descriptor_) == ERROR_SUCCESS;
    if (!ok_) return;
    EXPLICIT_ACCESSW deny{};
    deny.grfAccessPermissions = KEY_SET_VALUE;
    deny.grfAccessMode = DENY_ACCESS;
    deny.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    deny.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    deny.Trustee.ptstrName = const_cast<wchar_t*>(L"EVERYONE");
    PACL denied = nullptr;
    ok_ = SetEntriesInAclW(1, &deny, oldList_, &denied) == ERROR_SUCCESS &&
          SetSecurityInfo(key_.Get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                          denied, nullptr) == ERROR_SUCCESS;
    LocalFree(denied);
  }
  MachineRunKeyDenied(const MachineRunKeyDenied&) = delete;
  MachineRunKeyDenied& operator=(const MachineRunKeyDenied&) = delete;
  ~MachineRunKeyDenied() {
    if (descriptor_ == nullptr) return;
    SetSecurityInfo(key_.Get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                    oldList_, nullptr);
    LocalFree(descriptor_);
  }
  bool Ok() const { return ok_; }

 private:
  RegKey key_;
  PACL oldList_ = nullptr;  // inside descriptor_
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  bool ok_ = false;
};

// No settings and no start-up entry: other tests start Tallowmere in the same
// prefix, and Wine starts every program of the Run key when a prefix starts.
struct NoSettings {
  NoSettings() { Forget(); }
  ~NoSettings() { Forget(); }
  static void Forget() {
    DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsKey);
    DeleteRunValues();
  }
};

// Every test starts from no settings and leaves none behind.
class Startup : public ::testing::Test {
 protected:
  static void StoreSetting(const wchar_t* name, const wchar_t* value) {
    SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, name, value);
  }

  static std::optional<std::wstring> Setting(const wchar_t* name) {
    return RegistryText(HKEY_CURRENT_USER, kSettingsKey, name);
  }

  RunningProgram& Program() { return program_.Program(); }

  // The main window once it exists, shown or not.
  HWND MainWindow() {
    HWND found = nullptr;
    WaitFor([&] {
      for (HWND window : Program().TopLevelWindows()) {
        if (GetWindow(window, GW_OWNER) == nullptr && WindowText(window) == L"Tallowmere" &&
            !FindChildren(window, L"Keyboard Settings").empty()) {
          found = window;
          return true;
        }
      }
      return false;
    });
    return found;
  }

  static HWND Child(HWND window, std::wstring_view text) {
    const auto found = FindChildren(window, text);
    return found.size() == 1 ? found[0] : nullptr;
  }

  static bool Ticked(HWND window, std::wstring_view caption) {
    HWND box = Child(window, caption);
    return box != nullptr && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  static COLORREF Face(HWND window, std::wstring_view caption) {
    HWND key = Child(window, caption);
    return key == nullptr ? 0xFFFFFFFF : FaceColour(key);
  }

  // The entry that names the installed program.
  std::wstring Entry() const {
    return Wide(StartupEntryData(Utf8(program_.ProgramFolder().wstring()), "Tallowmere.exe"));
  }

  NoSettings noSettings_;  // goes only once the program has ended
  TallowmereUnderTest program_;
  std::filesystem::path list_ = program_.BlockListFile();
};

TEST_F(Startup, BothOptionsOnComesUpLockedAndHidden) {
  StoreSetting(L"Windows Startup", L"On");
  StoreSetting(L"Minimized", L"On");
  WriteFileBytes(list_, "65,\r\n");
  InputReceiver receiver({700, 600, 900, 700}, 0x3366CC);
  const std::size_t iconsBefore = TrayIconWindows().size();

  program_.Launch();
  HWND window = MainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor([&] { return Child(window, L"Stop") != nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
  EXPECT_TRUE(WaitFor([&] { return TrayIconWindows().size() == iconsBefore + 1; }))
      << "hidden, the program is reached through its tray icon";
  EXPECT_TRUE(Ticked(window, L"Load this software on Windows startup"));
  EXPECT_TRUE(Ticked(window, L"Start in system tray"));
  EXPECT_FALSE(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value())
      << "restoring the options must not touch the start-up list";

  EXPECT_EQ(receiver.KeysArriving({'A', 'B'}), std::vector<WPARAM>{'B'})
      << "the marked A is swallowed";

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Program().End());
  EXPECT_TRUE(WaitFor([&] { return TrayIconWindows().size() == iconsBefore; }));
}

TEST_F(Startup, OnlyStartInTrayComesUpShownAndIdle) {
  StoreSetting(L"Windows Startup", L"Off");
  StoreSetting(L"Minimized", L"On");
  WriteFileBytes(list_, "65,\r\n");

  HWND window = program_.Start();
  ASSERT_NE(window, nullptr);
  EXPECT_NE(Child(window, L"Start Disabling"), nullptr);
  EXPECT_EQ(Child(window, L"Stop"), nullptr);
  EXPECT_FALSE(Ticked(window, L"Load this software on Windows startup"));
  EXPECT_TRUE(Ticked(window, L"Start in system tray"));
  EXPECT_TRUE(IsWindowVisible(Child(window, L"Start in system tray")));

  InputReceiver receiver({700, 600, 900, 700}, 0x3366CC);
  EXPECT_EQ(receiver.KeysArriving({'A'}), std::vector<WPARAM>{'A'}) << "nothing is locked";
  EXPECT_TRUE(Program().End());
}

TEST_F(Startup, BlockListIsRestoredIntoButtonsAndMouseOptions) {
  // The mouse entry before the keys: the keys must survive the save that
  // ticking "Disable Left Click" makes.
  WriteFileBytes(list_, "513,\r\n65,13,");

  HWND window = program_.Start();
  ASSERT_NE(window, nullptr);
  COLORREF a = 0, b = 0, enter = 0, keypadEnter = 0;
  EXPECT_TRUE(WaitFor([&] {
    a = Face(window, L"a");
    b = Face(window, L"b");
    enter = Face(window, L"Enter");
    keypadEnter = Face(window, L"ent");
    return a == kGreen && b == kGray && enter == kGreen && keypadEnter == kGreen;
  })) << std::hex
      << "a " << a << ", b " << b << ", Enter " << enter << ", ent " << keypadEnter;
  EXPECT_TRUE(Ticked(window, L"Disable Left Click"));
  EXPECT_FALSE(Ticked(window, L"Disable Right Click"));
  EXPECT_EQ(ReadFileBytes(list_), std::optional<std::string>("65,13,13,513,514,\r\n"));
  EXPECT_TRUE(Program().End());
}

TEST_F(Startup, MissingTempListIsCopiedFromTheProgramFolder) {
  WriteFileBytes(program_.ProgramFolder() / L"xsettings.txt", "66,\r\n");
  ASSERT_FALSE(std::filesystem::exists(list_));

  HWND window = program_.Start();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ReadFileBytes(list_), std::optional<std::string>("66,\r\n"));
  COLORREF b = 0;
  EXPECT_TRUE(WaitFor([&] { return (b = Face(window, L"b")) == kGreen; })) << std::hex << b;
  EXPECT_TRUE(Program().End());
}

TEST_F(Startup, LoadOnWindowsStartupAddsAndRemovesTheRunValue) {
  WriteFileBytes(list_, "");
  HWND window = program_.Start();
  ASSERT_NE(window, nullptr);
  HWND startup = Child(window, L"Load this software on Windows startup");
  ASSERT_NE(startup, nullptr);
  HWND tray = Child(window, L"Start in system tray");
  ASSERT_NE(tray, nullptr);

  ClickAt(Centre(ScreenRect(tray)));
  ASSERT_TRUE(WaitFor([&] { return Setting(L"Minimized") == L"On"; }));

  ClickAt(Centre(ScreenRect(startup)));
  const std::wstring expected = Entry();
  EXPECT_TRUE(
      WaitFor([&] { return RegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value(); }));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), expected);
  // The setting is written after the entry.
  EXPECT_TRUE(WaitFor([&] { return Setting(L"Windows Startup") == L"On"; }));
  EXPECT_TRUE(Ticked(window, L"Load this software on Windows startup"));
  EXPECT_TRUE(IsWindowVisible(tray));

  ClickAt(Centre(ScreenRect(startup)));
  EXPECT_TRUE(
      WaitFor([&] { return !RegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value(); }));
  EXPECT_TRUE(WaitFor([&] { return Setting(L"Windows Startup") == L"Off"; }));
  EXPECT_EQ(Setting(L"Minimized"), L"Off") << "unticking also unticks Start in system tray";
  EXPECT_FALSE(Ticked(window, L"Start in system tray"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(tray); }));
  EXPECT_TRUE(Program().End());
}

TEST_F(Startup, StandardUserGetsTheEntryInTheirOwnList) {
  WriteFileBytes(list_, "");
  MachineRunKeyDenied denied;
  ASSERT_TRUE(denied.Ok());
  RegKey probe;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, probe.Receive()),
            ERROR_ACCESS_DENIED);
  HWND window = program_.Start();
  ASSERT_NE(window, nullptr);
  HWND startup = Child(window, L"Load this software on Windows startup");
  ASSERT_NE(startup, nullptr);

  ClickAt(Centre(ScreenRect(startup)));
  const std::wstring expected = Entry();
  EXPECT_TRUE(
      WaitFor([&] { return RegistryText(HKEY_CURRENT_USER, kRunKey, kRunValue) == expected; }));
  EXPECT_FALSE(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value());
  // A refusal would have put the box and the setting back to unticked.
  EXPECT_TRUE(WaitFor([&] { return Setting(L"Windows Startup") == L"On"; }));
  EXPECT_TRUE(Ticked(window, L"Load this software on Windows startup"));
  EXPECT_TRUE(IsWindowVisible(Child(window, L"Start in system tray")));

  ClickAt(Centre(ScreenRect(startup)));
  EXPECT_TRUE(
      WaitFor([&] { return !RegistryText(HKEY_CURRENT_USER, kRunKey, kRunValue).has_value(); }));
  EXPECT_TRUE(WaitFor([&] { return Setting(L"Windows Startup") == L"Off"; }));
  EXPECT_FALSE(Ticked(window, L"Load this software on Windows startup"));
  EXPECT_TRUE(Program().End());
}

}  // namespace
}  // namespace tallowmere::test
