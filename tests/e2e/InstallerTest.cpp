// The win64 installer as an administrator deploys it, quietly, in a Wine
// prefix made for these tests alone (ctest's "installer" test makes the
// installer and the prefix): what it puts on the machine, the program it
// installed, the uninstall, and an install over an earlier one.

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "win/support/FileBytes.h"
#include "win/support/Input.h"
#include "win/support/Registry.h"
#include "win/support/RunningProgram.h"
#include "win/support/TallowmereBuild.h"
#include "win/support/TallowmereUnderTest.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

namespace fs = std::filesystem;

const wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tallowmere";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

fs::path KnownFolder(const KNOWNFOLDERID& id) {
  wchar_t* path = nullptr;
  const bool found = SHGetKnownFolderPath(id, 0, nullptr, &path) == S_OK;
  const fs::path folder = found ? fs::path(path) : fs::path();
  CoTaskMemFree(path);
  return folder;
}

std::optional<DWORD> Number(HKEY root, const wchar_t* key, const wchar_t* name) {
  DWORD data = 0;
  DWORD size = sizeof data;
  if (RegGetValueW(root, key, name, RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return data;
}

void SetText(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  ASSERT_EQ(RegSetKeyValueW(root, key, name, REG_SZ, value.c_str(),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

// The file version of a program's version record, as "7.0.0.0".
std::wstring FileVersion(const fs::path& exe) {
  DWORD ignored = 0;
  std::string record(GetFileVersionInfoSizeW(exe.c_str(), &ignored), '\0');
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (record.empty() ||
      !GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(record.size()), record.data()) ||
      !VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
    return L"?";
  }
  return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
         std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
         std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
         std::to_wstring(LOWORD(fixed->dwFileVersionLS));
}

struct Shortcut {
  fs::path target;
  fs::path icon;
  int iconIndex = -1;
};

// What a .lnk file points at, read through the shell as Explorer reads it.
std::optional<Shortcut> ReadShortcut(const fs::path& file) {
  IShellLinkW* link = nullptr;
  if (FAILED(
          CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) {
    return std::nullopt;
  }
  std::optional<Shortcut> read;
  IPersistFile* persisted = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&persisted)))) {
    wchar_t target[MAX_PATH] = {};
    wchar_t icon[MAX_PATH] = {};
    int index = -1;
    if (SUCCEEDED(persisted->Load(file.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
        SUCCEEDED(link->GetIconLocation(icon, MAX_PATH, &index))) {
      read = Shortcut{target, icon, index};
    }
    persisted->Release();
  }
  link->Release();
  return read;
}

std::set<std::wstring> FileNames(const fs::path& folder) {
  std::set<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

class Installer : public ::testing::Test {
 protected:
  Installer() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~Installer() override {
    program_.reset();
    if (const auto quiet =
            RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString")) {
      const auto uninstaller = RunCommandLine(*quiet);
      WaitFor([] { return !RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); });
    }
    DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsKey);
    CoUninitialize();
  }

  void SetUp() override {
    const char* installer = std::getenv("TALLOWMERE_INSTALLER");
    ASSERT_NE(installer, nullptr) << "run through ctest's \"installer\" test, which makes it";
    installer_ = fs::path(installer).make_preferred();
    ASSERT_TRUE(fs::exists(installer_)) << installer;
    ASSERT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << "installed already";
  }

  // Runs a command line of the form "program" arguments, as an entry of
  // "Apps & features" holds it.
  static std::unique_ptr<RunningProgram> RunCommandLine(const std::wstring& commandLine) {
    const auto end = commandLine.find(L'"', 1);
    const std::wstring arguments = commandLine.substr(end + 1);
    return std::make_unique<RunningProgram>(
        ProgramStart{commandLine.substr(1, end - 1), Temp(),
                     arguments.empty() ? arguments : arguments.substr(1)});
  }

  // Runs the installer quietly with these arguments and waits for its end.
  void Install(const std::wstring& arguments = L"/S") {
    RunningProgram installer(ProgramStart{installer_, Temp(), arguments});
    ASSERT_TRUE(WaitFor([&] { return installer.HasExited(); }, 3 * kPatience));
    ASSERT_EQ(installer.ExitCode(), 0u);
    ASSERT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  }

  // Starts the installed program as its shortcut does and waits for its window.
  HWND StartInstalled(const fs::path& folder) {
    program_ = std::make_unique<RunningProgram>(
        ProgramStart{folder / L"Tallowmere.exe", Temp(), std::wstring()});
    return program_->WaitForMainWindow(kMainWindowTitle);
  }

  // The user's own TEMP, where the program keeps its block list and where
  // the uninstaller looks for it.
  static fs::path Temp() {
    wchar_t path[MAX_PATH];
    return fs::path(std::wstring(path, GetTempPathW(MAX_PATH, path))).parent_path();
  }

  static fs::path DefaultFolder() { return KnownFolder(FOLDERID_ProgramFiles) / L"Tallowmere"; }
  static fs::path ShortcutFile() {
    return KnownFolder(FOLDERID_CommonPrograms) / L"Tallowmere.lnk";
  }

  fs::path installer_;
  std::unique_ptr<RunningProgram> program_;
};

TEST_F(Installer, QuietInstallPutsTheProgramItsShortcutAndItsEntryInPlace) {
  ASSERT_NO_FATAL_FAILURE(Install());
  const fs::path folder = DefaultFolder();
  const fs::path exe = folder / L"Tallowmere.exe";
  EXPECT_EQ(FileNames(folder), (std::set<std::wstring>{L"HAND-M.CUR", L"Tallowmere.exe",
                                                       L"Uninstall.exe", L"xsettings.txt"}));
  EXPECT_EQ(ReadFileBytes(folder / L"xsettings.txt"), std::optional<std::string>("\r\n"));
  EXPECT_TRUE(ReadFileBytes(folder / L"HAND-M.CUR") ==
              ReadFileBytes(TestProgramFolder() / L"HAND-M.CUR"))
      << "not the built pointer";

  const auto shortcut = ReadShortcut(ShortcutFile());
  ASSERT_TRUE(shortcut.has_value()) << "no Start menu shortcut " << ShortcutFile();
  EXPECT_EQ(shortcut->target, exe);
  EXPECT_EQ(shortcut->icon, exe);
  EXPECT_EQ(shortcut->iconIndex, 0);

  std::uintmax_t bytes = 0;
  for (const auto& entry : fs::directory_iterator(folder)) bytes += entry.file_size();
  const std::wstring quotedUninstaller = L"\"" + (folder / L"Uninstall.exe").wstring() + L"\"";
  const struct {
    const wchar_t* name;
    std::wstring value;
  } texts[] = {
      {L"DisplayName", L"Tallowmere"},
      {L"Publisher", L"Varnholt"},
      {L"DisplayVersion", FileVersion(exe)},
      {L"DisplayIcon", exe.wstring() + L",0"},
      {L"InstallLocation", folder.wstring()},
      {L"UninstallString", quotedUninstaller},
      {L"QuietUninstallString", quotedUninstaller + L" /S"},
  };
  for (const auto& [name, value] : texts) {
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, name), value) << name;
  }
  EXPECT_EQ(FileVersion(exe), L"7.0.0.0");
  const auto kilobytes = Number(HKEY_LOCAL_MACHINE, kUninstallKey, L"EstimatedSize");
  ASSERT_TRUE(kilobytes.has_value());
  EXPECT_GE(*kilobytes, bytes / 1024);
  EXPECT_LE(*kilobytes, bytes / 1024 + 4);

  EXPECT_NE(StartInstalled(shortcut->target.parent_path()), nullptr);
}

TEST_F(Installer, QuietUninstallEndsTheProgramAndLeavesOnlyTheUsersChoices) {
  ASSERT_NO_FATAL_FAILURE(Install());
  const fs::path folder = DefaultFolder();
  HWND window = StartInstalled(folder);
  ASSERT_NE(window, nullptr);
  const auto startup = FindChildren(window, L"Load this software on Windows startup");
  ASSERT_EQ(startup.size(), 1u);
  ClickAt(Centre(ScreenRect(startup[0])));
  const std::wstring entry = L"\"" + (folder / L"Tallowmere.exe").wstring() + L"\"";
  ASSERT_TRUE(WaitFor(
      [&] { return RegistryText(HKEY_LOCAL_MACHINE, kRunKey, L"Tallowmere.exe").has_value(); }));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, L"Tallowmere.exe"), entry);
  // The entry the program writes for a user who may not write the machine's
  // list, in other letter case, and entries of other programs.
  std::wstring lowered = entry;
  CharLowerW(lowered.data());
  SetText(HKEY_CURRENT_USER, kRunKey, L"Tallowmere.exe", lowered);
  SetText(HKEY_CURRENT_USER, kRunKey, L"Another", entry.substr(0, entry.size() - 1) + L".bak\"");
  SetText(HKEY_LOCAL_MACHINE, kRunKey, L"Another", L"C:\\windows\\notepad.exe");
  const fs::path blockList = Temp() / L"xsettings.txt";
  ASSERT_TRUE(fs::exists(blockList));

  const auto quiet = RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString");
  ASSERT_TRUE(quiet.has_value());
  const auto uninstaller = RunCommandLine(*quiet);
  EXPECT_TRUE(WaitFor([&] { return program_->HasExited(); }));
  EXPECT_TRUE(WaitFor([&] { return !fs::exists(folder); })) << "files left in " << folder;
  EXPECT_TRUE(WaitFor([] { return !RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }));
  EXPECT_FALSE(fs::exists(ShortcutFile()));
  // The start-up entries go last, after the folder and the uninstall entry.
  EXPECT_TRUE(
      WaitFor([] { return !RegistryText(HKEY_LOCAL_MACHINE, kRunKey, L"Tallowmere.exe"); }));
  EXPECT_TRUE(WaitFor([] { return !RegistryText(HKEY_CURRENT_USER, kRunKey, L"Tallowmere.exe"); }));
  EXPECT_TRUE(RegistryText(HKEY_CURRENT_USER, kRunKey, L"Another"));
  EXPECT_TRUE(RegistryText(HKEY_LOCAL_MACHINE, kRunKey, L"Another"));
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, L"Windows Startup"), L"On");
  EXPECT_TRUE(fs::exists(blockList));
}

TEST_F(Installer, UninstallRemovesTheUsersChoicesWhenTheirBoxIsTicked) {
  ASSERT_NO_FATAL_FAILURE(Install());
  SetText(HKEY_CURRENT_USER, std::wstring(kSettingsKey).c_str(), L"Minimized", L"On");
  const fs::path blockList = Temp() / L"xsettings.txt";
  WriteFileBytes(blockList, "65,\r\n");

  const auto uninstall = RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString");
  ASSERT_TRUE(uninstall.has_value());
  const auto uninstaller = RunCommandLine(*uninstall);
  // The uninstaller runs as a copy of itself, in a process of its own.
  HWND page = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    page = FindWindowW(L"#32770", L"Tallowmere Uninstall ");
    return page != nullptr && FindChildren(page, L"&Uninstall").size() == 1;
  }));
  SetForegroundWindow(page);
  // The list of what to remove has the focus, on the program, which stays
  // ticked; the box below it is the user's choices.
  TapKey(VK_DOWN);
  TapKey(VK_SPACE);
  TapKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([] { return !RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey); }));
  EXPECT_TRUE(WaitFor([&] { return !fs::exists(blockList); }));
  EXPECT_TRUE(WaitFor([] { return !fs::exists(DefaultFolder()); }));
  ASSERT_TRUE(WaitFor([&] { return FindChildren(page, L"&Close").size() == 1; }));
  TapKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(page); }));
}

TEST_F(Installer, InstallOverAnEarlierOneReplacesItWhereItIs) {
  const fs::path folder = L"C:\\Tools\\Tallowmere";
  ASSERT_NO_FATAL_FAILURE(Install(L"/S /D=" + folder.wstring()));
  // Made into an earlier build: another version, program and default list.
  const auto program = ReadFileBytes(folder / L"Tallowmere.exe");
  ASSERT_TRUE(program.has_value());
  WriteFileBytes(folder / L"Tallowmere.exe", *program + "an earlier build");
  WriteFileBytes(folder / L"xsettings.txt", "65,\r\n");
  SetText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion", L"6.0.0.0");
  ASSERT_NE(StartInstalled(folder), nullptr);

  ASSERT_NO_FATAL_FAILURE(Install());
  EXPECT_TRUE(program_->HasExited()) << "the running earlier program was not ended";
  EXPECT_TRUE(ReadFileBytes(folder / L"Tallowmere.exe") == program) << "the program not replaced";
  EXPECT_EQ(ReadFileBytes(folder / L"xsettings.txt"), std::optional<std::string>("\r\n"));
  EXPECT_FALSE(fs::exists(DefaultFolder()));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"),
            FileVersion(folder / L"Tallowmere.exe"));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation"), folder.wstring());
  const auto shortcut = ReadShortcut(ShortcutFile());
  ASSERT_TRUE(shortcut.has_value());
  EXPECT_EQ(shortcut->target, folder / L"Tallowmere.exe");
}

}  // namespace
}  // namespace tallowmere::test
