#include "engine/BlockList.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "engine/KeyTable.h"
#include "fakes/FakePlatform.h"
#include "ui/Form1Layout.h"

namespace tallowmere {
namespace {

TEST(BlockListPath, AppendsTheFileNameToTempUnchanged) {
  FakeEnvironment environment;
  for (auto [temp, path] :
       {std::pair{"C:\\Temp", "C:\\Temp\\xsettings.txt"},
        std::pair{"C:\\Temp\\", "C:\\Temp\\\\xsettings.txt"}, std::pair{"", "\\xsettings.txt"}}) {
    environment.variables["TEMP"] = temp;
    EXPECT_EQ(BlockListPath(environment), path);
  }
}

struct MatchCase {
  const char* text;
  int code;
  bool matches;
};

class Matching : public ::testing::TestWithParam<MatchCase> {};

TEST_P(Matching, FollowsTheReadingRule) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(MatchesBlockList(c.text, c.code), c.matches) << '"' << c.text << "\" " << c.code;
}

INSTANTIATE_TEST_SUITE_P(
    BlockList, Matching,
    ::testing::Values(MatchCase{"", 0, false},      // empty text: no pieces
                      MatchCase{",", 0, false},     // empty pieces match nothing
                      MatchCase{"65,", 0, false},   // not even the piece after the comma
                      MatchCase{"65,", 65, true},   //
                      MatchCase{"65,", 66, false},  //
                      MatchCase{"65", 65, true},    // the last piece is examined too
                      MatchCase{"065,", 65, true},  // numeric comparison
                      MatchCase{"65,83,513,514,522,", 522, true},   //
                      MatchCase{"65,83,513,514,522,", 512, false},  //
                      MatchCase{",,65,,", 65, true},                // empty pieces are skipped
                      MatchCase{"6566,", 65, false},                // joined lines without a comma
                      MatchCase{"abc,65,", 65, true},               // garbage before a match
                      MatchCase{" 65,", 65, false},                 // blanks make no number
                      MatchCase{"65 ,", 65, false},                 //
                      MatchCase{"-65,", -65, false},                // no sign
                      MatchCase{"+65,", 65, false},                 //
                      MatchCase{"6.5e1,", 65, false},               //
                      MatchCase{"0,", 0, true},                     //
                      MatchCase{"4294967361,", 65, false},          // 2^32 + 65 does not wrap
                      MatchCase{"99999999999999999999999,", 2147483647, false},
                      MatchCase{"2147483647,", 2147483647, true}, MatchCase{"13,13,", 13, true}));

TEST(JoinLines, DropsLineEndsOnly) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"65,83,\r\n", "65,83,"},   {"\r\n", ""},       {"65,\r\n66,\r\n", "65,66,"},
      {"65\r\n66,\r\n", "6566,"}, {"6\r5,\r", "65,"}, {"65,\n66,\n", "65,66,"},
      {"a b\tc", "a b\tc"},
  };
  for (auto [raw, joined] : cases) {
    EXPECT_EQ(JoinLines(raw.data(), raw.size()), joined) << raw;
  }
}

// Every key, and every mouse option, chosen or not.
std::vector<ListEntries> AllKeys(bool chosen) {
  std::vector<ListEntries> keys;
  for (const KeyDef& key : kKeyTable) keys.push_back({key.tag, chosen});
  return keys;
}
std::vector<ListEntries> AllOptions(bool chosen) {
  std::vector<ListEntries> options;
  for (const MouseOption& option : kMouseOptions) options.push_back({option.entries, chosen});
  return options;
}

TEST(BlockListContent, NothingChosenIsALineEndAlone) {
  EXPECT_EQ(BlockListContent(AllKeys(false), AllOptions(false)), "\r\n");
}

TEST(BlockListContent, ChosenKeysInOrderThenChosenOptions) {
  const ListEntries keys[] = {{"65", false}, {"66", true}, {"67,68", true}};
  const ListEntries options[] = {{"513,514", false}, {"516,517", true}, {"522", true}};
  EXPECT_EQ(BlockListContent(keys, options), "66,67,68,516,517,522,\r\n");
}

TEST(BlockListContent, WrittenListReadsBackForEveryCode) {
  std::string text = BlockListContent(AllKeys(true), AllOptions(true));
  const std::string_view joined = JoinLines(text.data(), text.size());
  for (const KeyDef& key : kKeyTable) {
    EXPECT_TRUE(MatchesBlockList(joined, std::stoi(std::string(key.tag)))) << key.tag;
  }
  for (int message : {512, 513, 514, 516, 517, 519, 520, 522}) {
    EXPECT_TRUE(MatchesBlockList(joined, message)) << message;
  }
  for (int message : {515, 518, 521, 523, 524, 526}) {
    EXPECT_FALSE(MatchesBlockList(joined, message)) << message;
  }
}

}  // namespace
}  // namespace tallowmere
