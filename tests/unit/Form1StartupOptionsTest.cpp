#include <gtest/gtest.h>

#include "CaseName.h"
#include "fakes/Form1Fixture.h"

namespace tallowmere {
namespace {

const std::string kRun = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

// StandardUser: the machine's start-up list cannot be written, the user's can.
enum class Windows { Accepts, RefusesOpen, RefusesChange, StandardUser };

struct OptionCase {
  const char* name;
  // before the click
  int check6, check8;
  bool check8Visible, entryBefore;
  Windows registry;
  ControlId clicked;
  // after it ("" = never written)
  int check6After, check8After;
  bool check8VisibleAfter, entryAfter;
  std::string windowsStartup, minimized;
  bool told;
};

class StartupOptions : public WithForm1<::testing::TestWithParam<OptionCase>> {
 protected:
  // In the machine's start-up list or the user's.
  bool Entry() {
    return fake.registry.values.count({RegistryRoot::LocalMachine, kRun, "Tallowmere.exe"}) +
               fake.registry.values.count({RegistryRoot::CurrentUser, kRun, "Tallowmere.exe"}) !=
           0;
  }
};

TEST_P(StartupOptions, Click) {
  const OptionCase& c = GetParam();
  form.Tick(ControlId::Check6).Value = c.check6;
  form.Tick(ControlId::Check8).Value = c.check8;
  form.Tick(ControlId::Check8).Visible = c.check8Visible;
  // A standard user's entry can only be in their own list.
  const bool standardUser = c.registry == Windows::StandardUser;
  if (c.entryBefore) {
    fake.registry.values[{standardUser ? RegistryRoot::CurrentUser : RegistryRoot::LocalMachine,
                          kRun, "Tallowmere.exe"}] = std::string("C:\\old\\Tallowmere.exe");
  }
  fake.registry.refuseOpen = c.registry == Windows::RefusesOpen;
  fake.registry.refuseChange = c.registry == Windows::RefusesChange;
  if (standardUser) fake.registry.readOnly = RegistryRoot::LocalMachine;

  form.TickBoxClicked(c.clicked);

  EXPECT_EQ(form.Tick(ControlId::Check6).Value, c.check6After);
  EXPECT_EQ(form.Tick(ControlId::Check8).Value, c.check8After);
  EXPECT_EQ(form.Tick(ControlId::Check8).Visible, c.check8VisibleAfter);
  EXPECT_EQ(Entry(), c.entryAfter);
  EXPECT_EQ(fake.settings.Setting("Windows Startup"), c.windowsStartup);
  EXPECT_EQ(fake.settings.Setting("Minimized"), c.minimized);
  ASSERT_EQ(fake.dialogs.shown.size(), c.told ? 1u : 0u);
  if (c.told) {
    const std::string& text = fake.dialogs.shown[0].text;
    const std::string expected = c.check6 == 0
                                     ? "Tallowmere could not be added to the Windows start-up list."
                                     : "Tallowmere could not be removed from the Windows start-up "
                                       "list.";
    EXPECT_EQ(text, expected + "\r\n\r\nAccess is denied.");
    EXPECT_EQ(fake.dialogs.shown[0].icon, DialogIcon::Exclamation);
    EXPECT_EQ(fake.dialogs.shown[0].caption, "Tallowmere") << "the application title";
  }
  EXPECT_TRUE(fake.files.content.empty()) << "the block list is no business of these boxes";
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, StartupOptions,
    ::testing::Values(
        // Ticking shows Check8 and leaves its value.
        OptionCase{"TickShowsCheck8", 0, 0, false, false, Windows::Accepts, ControlId::Check6, 1, 0,
                   true, true, "On", "", false},
        OptionCase{"TickKeepsCheck8Ticked", 0, 1, true, false, Windows::Accepts, ControlId::Check6,
                   1, 1, true, true, "On", "", false},
        // Unticking unticks and hides Check8, whose handler writes "Off".
        OptionCase{"UntickClearsCheck8", 1, 1, true, true, Windows::Accepts, ControlId::Check6, 0,
                   0, false, false, "Off", "Off", false},
        OptionCase{"UntickWithCheck8Unticked", 1, 0, true, true, Windows::Accepts,
                   ControlId::Check6, 0, 0, false, false, "Off", "", false},
        OptionCase{"UntickWithoutEntry", 1, 0, true, false, Windows::Accepts, ControlId::Check6, 0,
                   0, false, false, "Off", "", false},
        // Windows refuses: the user is told and box and setting say what is true.
        OptionCase{"AddRefusedAtOpen", 0, 0, false, false, Windows::RefusesOpen, ControlId::Check6,
                   0, 0, false, false, "Off", "", true},
        OptionCase{"AddRefusedAtWrite", 0, 1, true, false, Windows::RefusesChange,
                   ControlId::Check6, 0, 1, true, false, "Off", "", true},
        OptionCase{"RemoveRefusedAtOpen", 1, 1, true, true, Windows::RefusesOpen, ControlId::Check6,
                   1, 1, true, true, "On", "", true},
        OptionCase{"RemoveRefusedAtDelete", 1, 0, true, true, Windows::RefusesChange,
                   ControlId::Check6, 1, 0, true, true, "On", "", true},
        // A standard user's entry goes to their own list, silently.
        OptionCase{"StandardUserTick", 0, 0, false, false, Windows::StandardUser, ControlId::Check6,
                   1, 0, true, true, "On", "", false},
        OptionCase{"StandardUserUntick", 1, 1, true, true, Windows::StandardUser, ControlId::Check6,
                   0, 0, false, false, "Off", "Off", false},
        // Check8 only records its value.
        OptionCase{"Check8Ticked", 1, 0, true, true, Windows::Accepts, ControlId::Check8, 1, 1,
                   true, true, "", "On", false},
        OptionCase{"Check8Unticked", 1, 1, true, true, Windows::Accepts, ControlId::Check8, 1, 0,
                   true, true, "", "Off", false},
        OptionCase{"Check8NeedsNoRegistry", 0, 0, true, false, Windows::RefusesOpen,
                   ControlId::Check8, 0, 1, true, false, "", "On", false}),
    CaseName());

using StartupOptionsLoading = WithForm1<>;

TEST_F(StartupOptionsLoading, Check6DoesNothingWhileLoading) {
  form.bLoading = true;
  form.SetValue(ControlId::Check6, 1);
  form.Tick(ControlId::Check8).Visible = false;
  form.SetValue(ControlId::Check6, 0);
  EXPECT_TRUE(fake.registry.values.empty());
  EXPECT_TRUE(fake.registry.openedWithAccess.empty());
  EXPECT_EQ(fake.settings.writes, 0);
  EXPECT_FALSE(form.Tick(ControlId::Check8).Visible);
}

TEST_F(StartupOptionsLoading, Check8StoresItsValueWhileLoading) {
  form.bLoading = true;
  form.SetValue(ControlId::Check8, 1);
  EXPECT_EQ(fake.settings.Setting("Minimized"), "On");
}

using StartupOptionsView = WithForm1<>;

TEST_F(StartupOptionsView, EveryChangeReachesTheScreen) {
  form.SetValue(ControlId::Check8, 1);
  form.SetValue(ControlId::Check6, 1);
  fake.view.controls.clear();
  fake.registry.refuseChange = true;
  form.TickBoxClicked(ControlId::Check6);
  // The untick and its undoing both show, so the screen ends ticked.
  EXPECT_EQ(fake.view.controls, (std::vector<ControlId>{ControlId::Check6, ControlId::Check6}));
  fake.registry.refuseChange = false;
  fake.view.controls.clear();
  form.TickBoxClicked(ControlId::Check6);
  EXPECT_EQ(fake.view.controls,
            (std::vector<ControlId>{ControlId::Check6, ControlId::Check8, ControlId::Check8}));
}

}  // namespace
}  // namespace tallowmere
