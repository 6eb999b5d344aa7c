#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/Form1Fixture.h"
#include "shell/Main.h"
#include "ui/Skin.h"

namespace tallowmere {
namespace {

const std::string kFolder = "C:\\Program Files\\Tallowmere";
const std::string kPointer = kFolder + "\\HAND-M.CUR";
const std::string kSkinPath = kFolder + "\\x\\o.cjs";

// The first steps of the load: skin, loading flag, pointer image, caption,
// icon and application title.
class FormStart : public WithForm1<> {
 protected:
  void SetUp() override { fake.files.content["C:\\Temp\\xsettings.txt"] = "\r\n"; }
  // The title is the process's: whatever a test sets, the next finds the
  // product's.
  void TearDown() override { SetApplicationTitle(); }

  // The line of every "Application Error" box, in order.
  std::vector<int> ReportedLines() const {
    std::vector<int> lines;
    for (const ShownDialog& d : fake.dialogs.shown) {
      const std::size_t at = d.text.find("Form_Load at line ");
      lines.push_back(at == std::string::npos ? -1 : std::stoi(d.text.substr(at + 18)));
    }
    return lines;
  }
};

TEST_F(FormStart, WithoutPointerOrSkinNothingIsReported) {
  SetApplicationTitle("Something else");
  form.Caption.clear();
  form.Form_Load();
  EXPECT_TRUE(fake.dialogs.shown.empty());
  EXPECT_EQ(form.MouseIcon, nullptr);
  EXPECT_TRUE(fake.pictures.loaded.empty());
  EXPECT_TRUE(fake.skin.calls.empty());
  EXPECT_EQ(form.Caption, "Tallowmere");
  EXPECT_EQ(form.Icon, fake.resources.icon);
  EXPECT_EQ(ApplicationTitle(), "Tallowmere");
}

TEST_F(FormStart, ThePointerFileBecomesTheMouseIconButNotThePointer) {
  fake.files.content[kPointer] = "cursor";
  form.Form_Load();
  EXPECT_EQ(fake.pictures.loaded, std::vector<std::string>{kPointer});
  ASSERT_NE(form.MouseIcon, nullptr);
  EXPECT_EQ(form.MouseIcon->Handle(), 0xC0u);
  EXPECT_EQ(form.MousePointer, kPointerDefault);
}

TEST_F(FormStart, AtADriveRootThePointerIsTheRootsFile) {
  fake.environment.folder = "E:\\";
  fake.files.content["E:\\HAND-M.CUR"] = "cursor";
  form.Form_Load();
  EXPECT_EQ(fake.pictures.loaded, std::vector<std::string>{"E:\\HAND-M.CUR"});
}

TEST_F(FormStart, AnUnloadablePointerIsReportedAtLine108AndTheLoadGoesOn) {
  fake.files.content[kPointer] = "no cursor";
  fake.pictures.unloadable.push_back(kPointer);
  form.Caption.clear();
  form.Form_Load();
  EXPECT_EQ(ReportedLines(), std::vector<int>{108});
  EXPECT_EQ(fake.dialogs.shown[0].caption, "Application Error");
  EXPECT_EQ(
      fake.dialogs.shown[0].text.rfind("Invalid picture\r\nin Quorvane2021/08/31.Form1.Form_Load "
                                       "at line 108\r\r",
                                       0),
      0u);
  EXPECT_EQ(form.MouseIcon, nullptr);
  EXPECT_EQ(form.Caption, "Tallowmere");
}

TEST_F(FormStart, TheSkinComesFirstWhileTheLoadingFlagIsDown) {
  fake.files.content[kSkinPath] = "face = #D4D0C8\n";
  bool loadingWhenSkinned = true;
  fake.skin.onCall = [&] { loadingWhenSkinned = form.bLoading; };
  form.Form_Load();
  EXPECT_EQ(fake.skin.calls.size(), 6u);
  EXPECT_FALSE(loadingWhenSkinned);
  EXPECT_EQ(form.BackColor, kButtonFace);
  EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST_F(FormStart, ARefusedSkinIsReportedAtLine100AndTheLoadGoesOn) {
  fake.files.content[kSkinPath] = "fase = #D4D0C8\n";
  fake.files.content[kPointer] = "cursor";
  fake.skin.failOn = "LoadSkin";
  form.Form_Load();
  EXPECT_EQ(ReportedLines(), std::vector<int>{100});
  EXPECT_NE(form.MouseIcon, nullptr);
  EXPECT_EQ(form.Icon, fake.resources.icon);
}

TEST_F(FormStart, AFailedIconStillLetsTheTitleOfLine110Run) {
  SetApplicationTitle("Something else");
  fake.resources.fails = true;
  form.Form_Load();
  // Line 130 sets the icon once more and fails again.
  EXPECT_EQ(ReportedLines(), (std::vector<int>{110, 130}));
  EXPECT_EQ(ApplicationTitle(), "Tallowmere");
}

TEST_F(FormStart, EveryFailureHasItsOwnBoxInLineOrder) {
  fake.files.content[kSkinPath] = "";
  fake.skin.failOn = "ApplyWindow";
  fake.files.content[kPointer] = "";
  fake.pictures.unloadable.push_back(kPointer);
  form.Form_Load();
  EXPECT_EQ(ReportedLines(), (std::vector<int>{100, 108}));
  EXPECT_EQ(form.Caption, "Tallowmere");
  EXPECT_FALSE(form.bLoading);
}

// FileExists answers false for whatever goes wrong, and never throws.
class RefusingFiles : public FakeFiles {
 public:
  bool Exists(const std::string&) override { throw AppError("Access is denied."); }
};

TEST(FileExists, AFailureIsNoFile) {
  RefusingFiles files;
  EXPECT_FALSE(FileExists(files, kPointer));
  FakeFiles present;
  present.content[kPointer] = "";
  EXPECT_TRUE(FileExists(present, kPointer));
  EXPECT_FALSE(FileExists(present, kPointer + ".bak"));
}

}  // namespace
}  // namespace tallowmere
