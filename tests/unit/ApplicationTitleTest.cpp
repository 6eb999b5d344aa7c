#include <gtest/gtest.h>

#include "CaseName.h"
#include "platform/AppError.h"
#include "shell/Main.h"

namespace tallowmere {
namespace {

class ApplicationTitleTest : public ::testing::Test {
 protected:
  void TearDown() override { SetApplicationTitle(); }
};

struct TitleCase {
  const char* name;
  std::string productName;
  std::string title;
};

class ApplicationTitleRule : public ApplicationTitleTest,
                             public ::testing::WithParamInterface<TitleCase> {};

TEST_P(ApplicationTitleRule, CutsAtBlanksToFortyCharacters) {
  SetApplicationTitle(GetParam().productName);
  EXPECT_EQ(ApplicationTitle(), GetParam().title);
}

std::string Repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

const TitleCase kTitleCases[] = {
    {"ProductName", "Tallowmere", "Tallowmere"},
    {"FortyCharactersKeptWhole", "abcdefghij abcdefghij abcdefghij abcdefg",
     "abcdefghij abcdefghij abcdefghij abcdefg"},
    {"FortyOneInSeveralWordsLosesTheLastWord", "abcdefghij abcdefghij abcdefghij abcdefgh",
     "abcdefghij abcdefghij abcdefghij"},
    // 50 characters: the last word (8) goes, leaving 41; then the next (6).
    {"CutsUntilShortEnough", "Tallowmere keyboard and mouse lock master switches",
     "Tallowmere keyboard and mouse lock"},
    {"TrailingBlankGoesAlone", std::string(40, 'x') + " ", std::string(40, 'x')},
    {"CountsCharactersNotBytes", Repeat("\xC3\xA9", 40), Repeat("\xC3\xA9", 40)},
    {"CutsWideCharactersAtABlank", Repeat("\xC3\xA9", 20) + " " + Repeat("\xC3\xA9", 20),
     Repeat("\xC3\xA9", 20)},
};

INSTANTIATE_TEST_SUITE_P(Cases, ApplicationTitleRule, ::testing::ValuesIn(kTitleCases), CaseName());

class ApplicationTitleFailure : public ApplicationTitleTest,
                                public ::testing::WithParamInterface<std::string> {};

TEST_P(ApplicationTitleFailure, NoBlankLeftFailsAndKeepsThePreviousTitle) {
  SetApplicationTitle("Previous title");
  try {
    SetApplicationTitle(GetParam());
    FAIL() << "no failure for " << GetParam();
  } catch (const AppError& e) {
    EXPECT_EQ(e.Description(), "Invalid procedure call or argument");
  }
  EXPECT_EQ(ApplicationTitle(), "Previous title");
}

INSTANTIATE_TEST_SUITE_P(Cases, ApplicationTitleFailure,
                         ::testing::Values(std::string(41, 'x'), std::string(41, 'x') + " y"));

}  // namespace
}  // namespace tallowmere
