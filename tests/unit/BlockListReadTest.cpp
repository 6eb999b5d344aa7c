#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "CaseName.h"
#include "engine/BlockList.h"
#include "fakes/FakeHooks.h"

namespace tallowmere {
namespace {

// n bytes that list nothing and end with a comma.
std::string Filler(std::size_t n) {
  return std::string(n - 1, 'x') + ',';
}

struct ReadCase {
  const char* name;
  std::string content;
  bool unreadable;
  std::optional<std::string> expected;  // none: the read failed
};

class ReadBlockListTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadBlockListTest, GivesWhatOneHookCallSees) {
  FakeBlockListSource source;
  source.content = GetParam().content;
  source.unreadable = GetParam().unreadable;
  BlockListBuffer buffer;
  EXPECT_EQ(ReadBlockList(source, buffer), GetParam().expected);
  EXPECT_EQ(source.reads, 1);
}

const ReadCase kReadCases[] = {
    {"OneLine", "65,83,513,\r\n", false, "65,83,513,"},
    {"EmptyList", "\r\n", false, ""},
    {"EmptyFile", "", false, ""},
    {"Unreadable", "65,\r\n", true, std::nullopt},
    {"LinesJoinedDirectly", "65,\r\n66,\r\n", false, "65,66,"},
    {"LoneCarriageReturnEndsALine", "65\r66,\n", false, "6566,"},
    {"BinaryKeptAsItIs", std::string("\0\xff,65,\x7f", 8), false, std::string("\0\xff,65,\x7f", 8)},
    {"ExactlyTheBoundIsReadWhole", Filler(4094) + "65", false, Filler(4094) + "65"},
    {"LongerThanTheBoundStopsAtItsLastComma", Filler(4096) + "65,", false, Filler(4096)},
    {"PieceCutAtTheBoundIsDropped", Filler(4094) + "655,", false, Filler(4094)},
    {"LineBreaksBeforeTheCutAreDropped", "65,\r\n" + Filler(4091) + "66,", false,
     "65," + Filler(4091)},
    {"MegabytesWithoutAnyComma", std::string(5 << 20, '6'), false, ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReadBlockListTest, ::testing::ValuesIn(kReadCases), CaseName());

}  // namespace
}  // namespace tallowmere
