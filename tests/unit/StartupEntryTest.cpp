#include <gtest/gtest.h>

#include "CaseName.h"
#include "fakes/FakePlatform.h"
#include "tray/RegStuff.h"
#include "tray/StartupSettings.h"
#include "tray/mStartUp.h"

namespace tallowmere {
namespace {

const std::string kRun = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

struct EntryCase {
  std::string folder, fileName, data;
};

class StartupEntryData_ : public ::testing::TestWithParam<EntryCase> {};

TEST_P(StartupEntryData_, JoinsFolderAndFileName) {
  EXPECT_EQ(StartupEntryData(GetParam().folder, GetParam().fileName), GetParam().data);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, StartupEntryData_,
    ::testing::Values(
        EntryCase{"C:\\Tools", "Tallowmere.exe", "C:\\Tools\\Tallowmere.exe"},
        EntryCase{"C:\\", "Tallowmere.exe", "C:\\Tallowmere.exe"},
        EntryCase{"D:\\Apps\\Lock\\", "T.exe", "D:\\Apps\\Lock\\T.exe"},
        EntryCase{"C:\\Program Files\\Tallowmere", "Tallowmere.exe",
                  "\"C:\\Program Files\\Tallowmere\\Tallowmere.exe\""},
        EntryCase{"C:\\Tools", "My Lock.exe", "\"C:\\Tools\\My Lock.exe\""},
        EntryCase{"C:\\Program Files\\", "Tallowmere.exe", "\"C:\\Program Files\\Tallowmere.exe\""},
        EntryCase{"\\\\server\\share", "Tallowmere.exe", "\\\\server\\share\\Tallowmere.exe"}));

class StartUpEntry : public ::testing::Test {
 protected:
  FakeRegistry registry;
  FakeEnvironment environment;
  mStartUp startUp{registry, environment};

  const FakeRegistry::Data* RunValue(const std::string& name,
                                     RegistryRoot list = RegistryRoot::LocalMachine) {
    auto it = registry.values.find({list, kRun, name});
    return it == registry.values.end() ? nullptr : &it->second;
  }
};

TEST_F(StartUpEntry, AddWritesTheRunningProgramUnderTheMachineRunKey) {
  environment.folder = "C:\\Tools";
  startUp.AddEntry();
  ASSERT_EQ(registry.values.size(), 1u);
  ASSERT_NE(RunValue("Tallowmere.exe"), nullptr);
  EXPECT_EQ(std::get<std::string>(*RunValue("Tallowmere.exe")), "C:\\Tools\\Tallowmere.exe");
  EXPECT_EQ(registry.openedWithAccess, std::vector<std::uint32_t>{0x3F});
}

TEST_F(StartUpEntry, RemoveDeletesOnlyItsOwnValue) {
  registry.values[{RegistryRoot::LocalMachine, kRun, "Other.exe"}] = std::string("C:\\Other.exe");
  startUp.AddEntry();
  startUp.RemoveEntry();
  EXPECT_EQ(RunValue("Tallowmere.exe"), nullptr);
  EXPECT_NE(RunValue("Other.exe"), nullptr);
}

TEST_F(StartUpEntry, RefusalsCarryTheSystemsReason) {
  registry.refuseOpen = true;
  registry.reason = "Access is denied.";
  try {
    startUp.AddEntry();
    FAIL() << "no failure reported";
  } catch (const AppError& e) {
    EXPECT_EQ(e.Description(), "Access is denied.");
  }
  registry.refuseOpen = false;
  registry.refuseChange = true;
  EXPECT_THROW(startUp.AddEntry(), AppError);
  EXPECT_TRUE(registry.values.empty());
}

// The machine's list and the user's, for an administrator and for a standard
// user, who cannot write the machine's.
struct ListsCase {
  const char* name;
  bool standardUser, machineBefore, userBefore;
  bool add;  // else remove
  bool machineAfter, userAfter, fails;
};

class StartUpLists : public StartUpEntry, public ::testing::WithParamInterface<ListsCase> {};

TEST_P(StartUpLists, EntryEndsWhereItCan) {
  const ListsCase& c = GetParam();
  const std::string data = "\"C:\\Program Files\\Tallowmere\\Tallowmere.exe\"";
  if (c.machineBefore) registry.values[{RegistryRoot::LocalMachine, kRun, "Tallowmere.exe"}] = data;
  if (c.userBefore) registry.values[{RegistryRoot::CurrentUser, kRun, "Tallowmere.exe"}] = data;
  if (c.standardUser) registry.readOnly = RegistryRoot::LocalMachine;

  bool failed = false;
  try {
    c.add ? startUp.AddEntry() : startUp.RemoveEntry();
  } catch (const AppError& e) {
    failed = true;
    EXPECT_EQ(e.Description(), "Access is denied.");
  }

  EXPECT_EQ(failed, c.fails);
  for (const auto& [list, expected] : {std::pair{RegistryRoot::LocalMachine, c.machineAfter},
                                       std::pair{RegistryRoot::CurrentUser, c.userAfter}}) {
    const FakeRegistry::Data* value = RunValue("Tallowmere.exe", list);
    EXPECT_EQ(value != nullptr, expected) << (list == RegistryRoot::LocalMachine ? "HKLM" : "HKCU");
    if (value != nullptr) {
      EXPECT_EQ(std::get<std::string>(*value), data);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Users, StartUpLists,
    ::testing::Values(
        ListsCase{"AdministratorAddsToTheMachine", false, false, false, true, true, false, false},
        ListsCase{"StandardUserAddsToTheirOwn", true, false, false, true, false, true, false},
        ListsCase{"RemoveEmptiesBoth", false, true, true, false, false, false, false},
        ListsCase{"RemoveOfNothingSucceeds", false, false, false, false, false, false, false},
        ListsCase{"StandardUserRemovesTheirOwn", true, false, true, false, false, false, false},
        // The machine's entry stays: that is a failure, the user's goes all the same.
        ListsCase{"StandardUserCannotRemoveTheMachines", true, true, true, false, true, false,
                  true}),
    CaseName());

struct SetValueCase {
  const char* name;
  RegistryValue value;
  std::uint32_t type;
  bool written;
  FakeRegistry::Data stored;
};

class RegStuffSetValue : public ::testing::TestWithParam<SetValueCase> {};

TEST_P(RegStuffSetValue, ConvertsToTheType) {
  FakeRegistry registry;
  FakeEnvironment environment;
  RegStuff regStuff(registry, environment);
  const SetValueCase& c = GetParam();
  regStuff.SetValue(RegistryRoot::CurrentUser, "Software\\Test", "v", c.value, c.type);
  auto it = registry.values.find({RegistryRoot::CurrentUser, "Software\\Test", "v"});
  ASSERT_EQ(it != registry.values.end(), c.written);
  if (c.written) {
    EXPECT_EQ(it->second, c.stored);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Types, RegStuffSetValue,
    ::testing::Values(
        SetValueCase{"TextAsText", std::string("C:\\a b.exe"), kRegSz, true,
                     std::string("C:\\a b.exe")},
        SetValueCase{"NumberAsText", std::int32_t{-42}, kRegSz, true, std::string("-42")},
        SetValueCase{"NumberAsDword", std::int32_t{305419896}, kRegDword, true,
                     std::uint32_t{305419896}},
        SetValueCase{"NegativeAsDword", std::int32_t{-1}, kRegDword, true,
                     std::uint32_t{0xFFFFFFFF}},
        SetValueCase{"TextAsDword", std::string("1234"), kRegDword, true, std::uint32_t{1234}},
        SetValueCase{"ExpandString", std::string("x"), 2, false, {}},
        SetValueCase{"Binary", std::int32_t{1}, 3, false, {}},
        SetValueCase{"MultiString", std::string("x"), 7, false, {}}),
    CaseName());

TEST(RegStuffSetValueText, TextThatIsNoNumberIsRefusedForDword) {
  FakeRegistry registry;
  FakeEnvironment environment;
  RegStuff regStuff(registry, environment);
  for (const char* text : {"", "12a", "0x10", "99999999999", " 1"}) {
    EXPECT_THROW(
        regStuff.SetValue(RegistryRoot::CurrentUser, "S", "v", std::string(text), kRegDword),
        AppError)
        << text;
  }
  EXPECT_TRUE(registry.values.empty());
}

struct SettingCase {
  bool present;
  std::string stored;
  bool on;
};

class StartupSettingsRead : public ::testing::TestWithParam<SettingCase> {};

TEST_P(StartupSettingsRead, OnlyExactOnCounts) {
  FakeSettingsStore store;
  if (GetParam().present) {
    store.values[{"Varnholt", "Tallowmere", "Windows Startup"}] = GetParam().stored;
    store.values[{"Varnholt", "Tallowmere", "Minimized"}] = GetParam().stored;
  }
  StartupSettings settings(store);
  EXPECT_EQ(settings.WindowsStartup(), GetParam().on);
  EXPECT_EQ(settings.Minimized(), GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StartupSettingsRead,
    ::testing::Values(SettingCase{false, "", false}, SettingCase{true, "On", true},
                      SettingCase{true, "Off", false}, SettingCase{true, "on", false},
                      SettingCase{true, "ON", false}, SettingCase{true, "On ", false},
                      SettingCase{true, "", false}));

TEST(StartupSettingsWrite, WritesOnAndOffUnderTheProgramsSection) {
  FakeSettingsStore store;
  StartupSettings settings(store);
  settings.SetWindowsStartup(true);
  settings.SetMinimized(false);
  EXPECT_EQ(store.Setting("Windows Startup"), "On");
  EXPECT_EQ(store.Setting("Minimized"), "Off");
  EXPECT_EQ(store.values.size(), 2u);
}

}  // namespace
}  // namespace tallowmere
