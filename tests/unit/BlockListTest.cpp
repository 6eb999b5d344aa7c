#include "engine/BlockList.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "engine/KeyTable.h"

namespace tallowmere {
namespace {

TEST(BlockListPath, AppendsTheFileNameUnchanged) {
  EXPECT_EQ(BlockListPath("C:\\Temp"), "C:\\Temp\\xsettings.txt");
  EXPECT_EQ(BlockListPath("C:\\Temp\\"), "C:\\Temp\\\\xsettings.txt");
  EXPECT_EQ(BlockListPath(""), "\\xsettings.txt");
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

TEST(BlockListContent, NothingSelectedIsALineEndAlone) {
  std::array<KeyMark, kKeyCount> keys;
  for (int i = 0; i < kKeyCount; ++i) keys[i] = {kUnmarkedColor, kKeyTable[i].tag};
  const std::array<int, 5> values{};
  EXPECT_EQ(BlockListContent(keys, values), "\r\n");
}

TEST(BlockListContent, AllKeysInIndexOrderThenTickedOptions) {
  std::array<KeyMark, kKeyCount> keys;
  std::string expected;
  for (int i = 0; i < kKeyCount; ++i) {
    keys[i] = {kMarkedColor, kKeyTable[i].tag};
    expected += std::string(kKeyTable[i].tag) + ",";
  }
  const std::array<int, 5> values{0, 1, 2, 1, 0};  // grayed (2) does not count
  expected += "516,517,522,\r\n";
  EXPECT_EQ(BlockListContent(keys, values), expected);
}

TEST(BlockListContent, OnlyPureGreenCountsAsMarked) {
  const std::array<KeyMark, 3> keys = {KeyMark{0x00FF01, "65"}, KeyMark{kMarkedColor, "66"},
                                       KeyMark{0xFFFFFF, "67"}};
  EXPECT_EQ(BlockListContent(keys, std::array<int, 5>{}), "66,\r\n");
}

TEST(BlockListContent, WrittenListReadsBackForEveryCode) {
  std::array<KeyMark, kKeyCount> keys;
  for (int i = 0; i < kKeyCount; ++i) keys[i] = {kMarkedColor, kKeyTable[i].tag};
  const std::array<int, 5> values{1, 1, 1, 1, 1};
  std::string text = BlockListContent(keys, values);
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
