#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "CaseName.h"
#include "fakes/Form1Fixture.h"

namespace tallowmere {
namespace {

std::set<int> MarkedKeys(const Form1& form) {
  std::set<int> marked;
  for (int i = 0; i < kKeyCount; ++i) {
    if (form.cmdKey[i].BackColor == kMarkedColor) marked.insert(i);
  }
  return marked;
}

std::set<int> HiddenKeys(const Form1& form) {
  std::set<int> hidden;
  for (int i = 0; i < kKeyCount; ++i) {
    if (!form.cmdKey[i].Visible) hidden.insert(i);
  }
  return hidden;
}

struct PollCase {
  std::string name;
  std::map<int, std::uint16_t> states;  // GetAsyncKeyState by code at the tick
  std::set<int> marked;                 // key buttons green afterwards
  std::set<int> hidden;
  int saves;
  std::string blockList;
};

using Form1Poll = WithForm1<::testing::TestWithParam<PollCase>>;

TEST_P(Form1Poll, TogglesTheButtonsOfNewlyPressedCodesAndSavesOncePerCode) {
  const PollCase& c = GetParam();
  fake.input.states = c.states;
  form.Timer1_Timer();
  EXPECT_EQ(MarkedKeys(form), c.marked);
  EXPECT_EQ(HiddenKeys(form), c.hidden);
  EXPECT_EQ(fake.files.replaces, c.saves);
  EXPECT_EQ(fake.BlockList(), c.blockList);
  EXPECT_TRUE(fake.dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Form1Poll,
    ::testing::Values(
        PollCase{"NothingPressed", {}, {}, {}, 0, ""},
        PollCase{"KeyA", {{65, 0x8001}}, {41}, {}, 1, "65,\r\n"},
        PollCase{"EnterTogglesBothEnterButtonsWithOneSave",
                 {{13, 0x8001}},
                 {52, 96},
                 {},
                 1,
                 "13,13,\r\n"},
        PollCase{"HeldKeyTogglesNothing", {{65, 0x8000}}, {}, {}, 0, ""},
        PollCase{"PressedAndReleasedBetweenPollsTogglesNothing", {{65, 0x0001}}, {}, {}, 0, ""},
        PollCase{"LeftMouseButtonSavesWithoutMark", {{1, 0x8001}}, {}, {}, 1, "\r\n"},
        PollCase{"RightMouseButtonSavesWithoutMark", {{2, 0x8001}}, {}, {}, 1, "\r\n"},
        PollCase{"MiddleMouseButtonSavesWithoutMark", {{4, 0x8001}}, {}, {}, 1, "\r\n"},
        PollCase{"CodeOfNoButtonSavesWithoutMark", {{255, 0x8001}}, {}, {}, 1, "\r\n"},
        PollCase{"WindowsKeyIsMarkedAndHidden", {{91, 0x8001}}, {73}, {73}, 1, "91,\r\n"},
        PollCase{"TwoNewlyPressedCodesSaveTwice",
                 {{65, 0x8001}, {83, 0x8001}, {66, 0x8000}},
                 {41, 42},
                 {},
                 2,
                 "65,83,\r\n"}),
    CaseName());

using Form1PollCodes = WithForm1<>;

TEST_F(Form1PollCodes, EveryCodeFrom1To255IsQueriedOnceInOrder) {
  form.Timer1_Timer();
  ASSERT_EQ(fake.input.queried.size(), 255u);
  for (int code = 1; code <= 255; ++code) EXPECT_EQ(fake.input.queried[code - 1], code);
}

class Form1PollToggle : public WithForm1<> {
 protected:
  void Press(int code) {
    fake.input.Press(code);
    form.Timer1_Timer();
  }
};

TEST_F(Form1PollToggle, SecondPressUnmarksAndShowsThePictureKeyAgain) {
  Press(93);
  EXPECT_EQ(form.cmdKey[75].BackColor, kMarkedColor);
  EXPECT_FALSE(form.cmdKey[75].Visible);
  Press(93);
  EXPECT_EQ(form.cmdKey[75].BackColor, kUnmarkedColor);
  EXPECT_TRUE(form.cmdKey[75].Visible);
  EXPECT_EQ(fake.BlockList(), "\r\n");
}

TEST_F(Form1PollToggle, KeyHeldOverSeveralPollsTogglesOnce) {
  Press(65);
  form.Timer1_Timer();
  form.Timer1_Timer();
  EXPECT_EQ(form.cmdKey[41].BackColor, kMarkedColor);
  EXPECT_EQ(fake.files.replaces, 1);
}

TEST_F(Form1PollToggle, ButtonOfAnotherColourIsLeftAlone) {
  form.cmdKey[41].BackColor = 0x0000FF;
  Press(65);
  EXPECT_EQ(form.cmdKey[41].BackColor, 0x0000FFu);
  EXPECT_EQ(fake.files.replaces, 1);
}

TEST_F(Form1PollToggle, TagOfSeveralCodesTogglesOnEachOfThem) {
  form.cmdKey[0].Tag = "27,65";
  Press(65);
  EXPECT_EQ(MarkedKeys(form), (std::set<int>{0, 41}));
  Press(27);
  EXPECT_EQ(MarkedKeys(form), (std::set<int>{41}));
}

TEST_F(Form1PollToggle, EmptyTagNeverMatches) {
  form.cmdKey[0].Tag = "";
  Press(27);
  EXPECT_TRUE(MarkedKeys(form).empty());
  EXPECT_EQ(fake.files.replaces, 1);
}

TEST_F(Form1PollToggle, TagIsReadByItsLeadingNumber) {
  form.cmdKey[0].Tag = " 065x";
  Press(65);
  EXPECT_EQ(MarkedKeys(form), (std::set<int>{0, 41}));
}

TEST_F(Form1PollToggle, FailedSaveIsReportedOncePerPressAndNeverAgain) {
  fake.files.failing.push_back("C:\\Temp\\xsettings.txt");
  Press(65);
  form.Timer1_Timer();
  form.Timer1_Timer();
  EXPECT_EQ(form.cmdKey[41].BackColor, kMarkedColor);
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_EQ(fake.dialogs.shown[0].text.rfind(
                "Permission denied\r\nin Quorvane2021/08/31.Form1.Timer1 at line 150\r\r", 0),
            0u);
}

TEST_F(Form1PollToggle, TickDuringThePollsOwnReportBoxStartsNoSecondPoll) {
  fake.files.failing.push_back("C:\\Temp\\xsettings.txt");
  fake.dialogs.onShow = [&] {
    fake.input.Press(27);  // a code the running poll has already passed
    form.Timer1_Timer();
  };
  Press(65);
  EXPECT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_EQ(form.cmdKey[0].BackColor, kUnmarkedColor);
  fake.dialogs.onShow = nullptr;
  fake.files.failing.clear();
  form.Timer1_Timer();
  EXPECT_EQ(form.cmdKey[0].BackColor, kMarkedColor);
  EXPECT_EQ(fake.BlockList(), "27,65,\r\n");
}

TEST_F(Form1PollToggle, FailedScreenUpdateIsReportedWithItsLineAndThePollGoesOn) {
  fake.view.failingKey = 52;
  Press(13);
  EXPECT_EQ(MarkedKeys(form), (std::set<int>{52, 96}));
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_NE(fake.dialogs.shown[0].text.find("Timer1 at line 118\r\r"), std::string::npos);
  EXPECT_EQ(fake.BlockList(), "13,13,\r\n");
}

// Reading every key state costs the whole desktop; a tick with no input since
// the last reading began cannot find a new press, so it reads nothing.
TEST_F(Form1PollToggle, TickWithoutInputSinceTheLastReadingReadsNothing) {
  Press(65);
  fake.input.queried.clear();
  form.Timer1_Timer();
  form.Timer1_Timer();
  EXPECT_TRUE(fake.input.queried.empty());
}

TEST_F(Form1PollToggle, InputInTheMillisecondTheLastReadingBeganIsRead) {
  form.Timer1_Timer();
  fake.input.states[66] = 0x8001;
  fake.input.lastInput = fake.input.clock;
  form.Timer1_Timer();
  EXPECT_EQ(MarkedKeys(form), (std::set<int>{57}));
}

TEST_F(Form1PollToggle, InputAfterTheClockWrappedIsRead) {
  fake.input.clock = 0xFFFFFFF0u;
  form.Timer1_Timer();
  fake.input.clock = 5;
  Press(65);
  EXPECT_EQ(MarkedKeys(form), (std::set<int>{41}));
}

using Form1Activation = WithForm1<>;

TEST_F(Form1Activation, PollRunsExactlyWhileTheMainWindowIsActive) {
  fake.input.active = false;
  form.ActivationChanged();
  EXPECT_FALSE(form.Timer1.Enabled);
  fake.input.active = true;
  form.ActivationChanged();
  EXPECT_TRUE(form.Timer1.Enabled);
  form.ActivationChanged();
  EXPECT_EQ(fake.view.timerChanges, 2);
}

TEST_F(Form1Activation, PressesMadeElsewhereDoNotCountOnceTheWindowIsActive) {
  fake.input.active = false;
  form.ActivationChanged();
  fake.input.Press(13);  // the Enter that dismissed another window, still held
  fake.input.Press(65);
  fake.input.states[65] = 0x0001;  // pressed and released elsewhere
  fake.input.active = true;
  form.ActivationChanged();
  form.Timer1_Timer();
  EXPECT_TRUE(MarkedKeys(form).empty());
  EXPECT_EQ(fake.files.replaces, 0);
  fake.input.Press(65);
  form.ActivationChanged();  // still active: the press stays for the poll
  form.Timer1_Timer();
  EXPECT_EQ(MarkedKeys(form), (std::set<int>{41}));
}

}  // namespace
}  // namespace tallowmere
