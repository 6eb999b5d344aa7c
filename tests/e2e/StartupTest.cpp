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
#include "win/support/TallowmereBuild.h"
#include "win/support/TallowmereUnderTest.h"
#include "win/support/TestFolder.h"
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

// Every test starts from no settings and no start-up entry and leaves none
// behind: other tests start Tallowmere in the same prefix, and Wine starts
// every program of the Run key when a prefix starts.
class Startup : public ::testing::Test {
 protected:
  Startup() { Forget(); }
  ~Startup() override {
    program_.reset();
    Forget();
  }

  static void Forget() {
    DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsKey);
    DeleteRunValues();
  }

  static void StoreSetting(const wchar_t* name, const wchar_t* value) {
    RegKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, std::wstring(kSettingsKey).c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }

  static std::optional<std::wstring> Setting(const wchar_t* name) {
    return RegistryText(HKEY_CURRENT_USER, kSettingsKey, name);
  }

  void Start() { program_ = std::make_unique<RunningProgram>(ProgramStart{exe_, temp_, L""}); }

  // The main window once it exists, shown or not.
  HWND MainWindow() {
    HWND found = nullptr;
    WaitFor([&] {
      for (HWND window : program_->TopLevelWindows()) {
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
    if (key == nullptr) return 0xFFFFFFFF;
    return ScreenCapture::Take().MostCommonColour(Inset(ScreenRect(key), 3));
  }

  TestFolder folder_;
  std::filesystem::path temp_ = folder_.MakeFolder(L"Temp");
  std::filesystem::path exe_ = InstallProgram(folder_);
  std::filesystem::path list_ = temp_ / L"xsettings.txt";
  std::unique_ptr<RunningProgram> program_;
};

TEST_F(Startup, BothOptionsOnComesUpLockedAndHidden) {
  StoreSetting(L"Windows Startup", L"On");
  StoreSetting(L"Minimized", L"On");
  WriteFileBytes(list_, "65,\r\n");
  InputReceiver receiver({700, 600, 900, 700}, 0x3366CC);
  const std::size_t iconsBefore = TrayIconWindows().size();

  Start();
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

  ASSERT_TRUE(receiver.BringToFront());
  TapKey('A');
  TapKey('B');
  ASSERT_TRUE(WaitFor([&] { return receiver.Count(WM_KEYUP) >= 1; }));
  EXPECT_EQ(receiver.KeysDown(), std::vector<WPARAM>{'B'}) << "the marked A is swallowed";

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program_->End());
  EXPECT_TRUE(WaitFor([&] { return TrayIconWindows().size() == iconsBefore; }));
}

TEST_F(Startup, OnlyStartInTrayComesUpShownAndIdle) {
  StoreSetting(L"Windows Startup", L"Off");
  StoreSetting(L"Minimized", L"On");
  WriteFileBytes(list_, "65,\r\n");

  Start();
  HWND window = program_->WaitForMainWindow(L"Tallowmere");
  ASSERT_NE(window, nullptr);
  EXPECT_NE(Child(window, L"Start Disabling"), nullptr);
  EXPECT_EQ(Child(window, L"Stop"), nullptr);
  EXPECT_FALSE(Ticked(window, L"Load this software on Windows startup"));
  EXPECT_TRUE(Ticked(window, L"Start in system tray"));
  EXPECT_TRUE(IsWindowVisible(Child(window, L"Start in system tray")));

  InputReceiver receiver({700, 600, 900, 700}, 0x3366CC);
  ASSERT_TRUE(receiver.BringToFront());
  TapKey('A');
  ASSERT_TRUE(WaitFor([&] { return receiver.Count(WM_KEYUP) >= 1; }));
  EXPECT_EQ(receiver.KeysDown(), std::vector<WPARAM>{'A'}) << "nothing is locked";
  EXPECT_TRUE(program_->End());
}

TEST_F(Startup, BlockListIsRestoredIntoButtonsAndMouseOptions) {
  // The mouse entry before the keys: the keys must survive the save that
  // ticking "Disable Left Click" makes.
  WriteFileBytes(list_, "513,\r\n65,13,");

  Start();
  HWND window = program_->WaitForMainWindow(L"Tallowmere");
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
  EXPECT_TRUE(program_->End());
}

TEST_F(Startup, MissingTempListIsCopiedFromTheProgramFolder) {
  WriteFileBytes(exe_.parent_path() / L"xsettings.txt", "66,\r\n");
  ASSERT_FALSE(std::filesystem::exists(list_));

  Start();
  HWND window = program_->WaitForMainWindow(L"Tallowmere");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ReadFileBytes(list_), std::optional<std::string>("66,\r\n"));
  COLORREF b = 0;
  EXPECT_TRUE(WaitFor([&] { return (b = Face(window, L"b")) == kGreen; })) << std::hex << b;
  EXPECT_TRUE(program_->End());
}

TEST_F(Startup, LoadOnWindowsStartupAddsAndRemovesTheRunValue) {
  WriteFileBytes(list_, "");
  Start();
  HWND window = program_->WaitForMainWindow(L"Tallowmere");
  ASSERT_NE(window, nullptr);
  HWND startup = Child(window, L"Load this software on Windows startup");
  ASSERT_NE(startup, nullptr);
  HWND tray = Child(window, L"Start in system tray");
  ASSERT_NE(tray, nullptr);

  ClickAt(Centre(ScreenRect(tray)));
  ASSERT_TRUE(WaitFor([&] { return Setting(L"Minimized") == L"On"; }));

  ClickAt(Centre(ScreenRect(startup)));
  const std::wstring expected =
      Wide(StartupEntryData(Utf8(exe_.parent_path().wstring()), "Tallowmere.exe"));
  EXPECT_TRUE(
      WaitFor([&] { return RegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value(); }));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), expected);
  EXPECT_EQ(Setting(L"Windows Startup"), L"On");
  EXPECT_TRUE(Ticked(window, L"Load this software on Windows startup"));
  EXPECT_TRUE(IsWindowVisible(tray));

  ClickAt(Centre(ScreenRect(startup)));
  EXPECT_TRUE(
      WaitFor([&] { return !RegistryText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).has_value(); }));
  EXPECT_EQ(Setting(L"Windows Startup"), L"Off");
  EXPECT_EQ(Setting(L"Minimized"), L"Off") << "unticking also unticks Start in system tray";
  EXPECT_FALSE(Ticked(window, L"Start in system tray"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(tray); }));
  EXPECT_TRUE(program_->End());
}

TEST_F(Startup, StandardUserGetsTheEntryInTheirOwnList) {
  WriteFileBytes(list_, "");
  MachineRunKeyDenied denied;
  ASSERT_TRUE(denied.Ok());
  RegKey probe;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, probe.Receive()),
            ERROR_ACCESS_DENIED);
  Start();
  HWND window = program_->WaitForMainWindow(L"Tallowmere");
  ASSERT_NE(window, nullptr);
  HWND startup = Child(window, L"Load this software on Windows startup");
  ASSERT_NE(startup, nullptr);

  ClickAt(Centre(ScreenRect(startup)));
  const std::wstring expected =
      Wide(StartupEntryData(Utf8(exe_.parent_path().wstring()), "Tallowmere.exe"));
  EXPECT_TRUE(WaitFor([&] { return RegistryText(HKEY_CURRENT_USER, kRunKey, kRunValue) == expected; }));
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
  EXPECT_TRUE(program_->End());
}

}  // namespace
}  // namespace tallowmere::test
