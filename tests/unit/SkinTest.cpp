#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/Form1Fixture.h"
#include "platform/AppError.h"
#include "ui/Skin.h"

namespace tallowmere {
namespace {

const std::string kSkinPath = "C:\\Program Files\\Tallowmere\\x\\o.cjs";

template <class Base = ::testing::Test>
class WithSkin : public WithForm1<Base> {
 protected:
  void Apply() { ApplySkin(this->form, this->fake.files, this->fake.environment, this->fake.skin); }
};
using ApplySkinTest = WithSkin<>;

TEST_F(ApplySkinTest, WithoutTheFileNothingHappens) {
  Apply();
  EXPECT_TRUE(fake.skin.calls.empty());
  EXPECT_TRUE(fake.view.controls.empty());
  EXPECT_EQ(form.BackColor, kWhite);
}

TEST_F(ApplySkinTest, AFolderOrHiddenFileOfThatNameIsNoSkin) {
  fake.files.notPlain.push_back(kSkinPath);
  Apply();
  EXPECT_TRUE(fake.skin.calls.empty());
  EXPECT_EQ(form.BackColor, kWhite);
}

TEST_F(ApplySkinTest, CallsTheSkinControlInOrder) {
  fake.files.content[kSkinPath] = "face = #D4D0C8\n";
  Apply();
  EXPECT_EQ(fake.skin.calls,
            (std::vector<std::string>{"LoadSkin(" + kSkinPath + ",)", "Options", "SetOptions(1)",
                                      "SetSkinText(true)", "SetSkinBackground(true)",
                                      "ApplyWindow(68140)"}));
}

TEST_F(ApplySkinTest, AtADriveRootThePathHasOneBackslash) {
  fake.environment.folder = "E:\\";
  fake.files.content["E:\\x\\o.cjs"] = "face = #D4D0C8\n";
  Apply();
  ASSERT_FALSE(fake.skin.calls.empty());
  EXPECT_EQ(fake.skin.calls[0], "LoadSkin(E:\\x\\o.cjs,)");
}

TEST_F(ApplySkinTest, AWindowHandleIsPassedAsItsLow32Bits) {
  fake.files.content[kSkinPath] = "";
  // How a 64-bit process sees a handle whose 32-bit value has the top bit set.
  fake.view.handle = static_cast<WindowHandle>(static_cast<std::intptr_t>(-2147478988));
  Apply();
  EXPECT_EQ(fake.skin.calls.back(), "ApplyWindow(-2147478988)");
}

TEST_F(ApplySkinTest, WindowFramesTickBoxesAndLabelsTakeTheButtonFace) {
  fake.files.content[kSkinPath] = "";
  form.SetKeyBackColor(41, kMarkedColor);
  Apply();
  EXPECT_EQ(form.BackColor, kButtonFace);
  for (const ControlDef& control : kControls) {
    switch (control.kind) {
      case ControlKind::Frame:
      case ControlKind::Label:
        EXPECT_EQ(form.Plain(control.id).BackColor, kButtonFace) << control.caption;
        break;
      case ControlKind::TickBox:
        EXPECT_EQ(form.Tick(control.id).BackColor, kButtonFace) << control.caption;
        break;
      default:
        break;
    }
  }
  EXPECT_EQ(form.cmdKey[41].BackColor, kMarkedColor);
  EXPECT_EQ(form.cmdKey[40].BackColor, kUnmarkedColor);
}

// The option flags gain bit 1 and keep every other bit.
using SkinOptionFlags = WithSkin<::testing::TestWithParam<std::pair<std::int32_t, std::int32_t>>>;

TEST_P(SkinOptionFlags, WrittenBackWithBitOne) {
  fake.files.content[kSkinPath] = "";
  fake.skin.options = GetParam().first;
  Apply();
  EXPECT_EQ(fake.skin.calls.at(2), "SetOptions(" + std::to_string(GetParam().second) + ")");
}

INSTANTIATE_TEST_SUITE_P(Flags, SkinOptionFlags,
                         ::testing::Values(std::pair{0, 1}, std::pair{1, 1}, std::pair{6, 7},
                                           std::pair{5, 5}, std::pair{-1, -1},
                                           std::pair{INT32_MIN, INT32_MIN + 1}));

// A refused call abandons the rest; the colours already set stay.
class SkinCallRefused
    : public WithForm1<::testing::TestWithParam<std::pair<const char*, std::size_t>>> {};

TEST_P(SkinCallRefused, LaterCallsAreAbandoned) {
  fake.files.content[kSkinPath] = "";
  fake.skin.failOn = GetParam().first;
  EXPECT_THROW(ApplySkin(form, fake.files, fake.environment, fake.skin), AppError);
  EXPECT_EQ(fake.skin.calls.size(), GetParam().second);
  EXPECT_EQ(form.Plain(ControlId::Frame1).BackColor, kButtonFace);
}

INSTANTIATE_TEST_SUITE_P(Calls, SkinCallRefused,
                         ::testing::Values(std::pair{"LoadSkin", 1u}, std::pair{"Options", 2u},
                                           std::pair{"SetOptions", 3u},
                                           std::pair{"SetSkinText", 4u},
                                           std::pair{"SetSkinBackground", 5u},
                                           std::pair{"ApplyWindow", 6u}));

}  // namespace
}  // namespace tallowmere
