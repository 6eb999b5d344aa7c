#include <gtest/gtest.h>

#include <string>

#include "CaseName.h"
#include "platform/AppError.h"
#include "platform/SkinFile.h"

namespace tallowmere {
namespace {

struct GoodSkin {
  const char* name;
  std::string content;
  SkinColors colors;
};

class SkinFileReads : public ::testing::TestWithParam<GoodSkin> {};

TEST_P(SkinFileReads, Colours) {
  EXPECT_EQ(ParseSkinFile(GetParam().content), GetParam().colors);
}

INSTANTIATE_TEST_SUITE_P(
    Good, SkinFileReads,
    ::testing::Values(GoodSkin{"FaceOnly", "face = #D4D0C8\n", {0xC8D0D4, std::nullopt}},
                      GoodSkin{"FaceAndText", "face=#102030\ntext=#A0B0C0", {0x302010, 0xC0B0A0}},
                      GoodSkin{"CrLfCommentsBlanksAndCase",
                               "; our skin\r\n\r\n  FACE\t=  #abcdef \r\n;text = #000000\r\n",
                               {0xEFCDAB, std::nullopt}},
                      GoodSkin{"ByteOrderMark",
                               "\xEF\xBB\xBF"
                               "face = #000001\n",
                               {0x010000, std::nullopt}},
                      GoodSkin{
                          "TextFirst", "text = #FFFFFF\nface = #FF0000\n", {0x0000FF, 0xFFFFFF}}),
    CaseName());

struct BadSkin {
  const char* name;
  std::string content;
  std::string description;
};

class SkinFileRefuses : public ::testing::TestWithParam<BadSkin> {};

TEST_P(SkinFileRefuses, WithLineAndFault) {
  try {
    ParseSkinFile(GetParam().content);
    FAIL() << "read a bad skin file";
  } catch (const AppError& e) {
    EXPECT_EQ(e.Description(), GetParam().description);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bad, SkinFileRefuses,
    ::testing::Values(BadSkin{"Empty", "", "Invalid skin file: it names no face colour"},
                      BadSkin{"TextOnly", "text = #000000\n",
                              "Invalid skin file: it names no face colour"},
                      BadSkin{"Binary", std::string("\x89PNG\r\n\x1a\n\0\0", 10),
                              "Invalid skin file, line 1: expected name = #RRGGBB"},
                      BadSkin{"NoEquals", "\nface #D4D0C8\n",
                              "Invalid skin file, line 2: expected name = #RRGGBB"},
                      BadSkin{"ShortColour", "face = #D4D0C\n",
                              "Invalid skin file, line 1: a colour is written #RRGGBB"},
                      BadSkin{"NoHash", "face = D4D0C8\n",
                              "Invalid skin file, line 1: a colour is written #RRGGBB"},
                      BadSkin{"NotHex", "face = #D4D0CG\n",
                              "Invalid skin file, line 1: a colour is written #RRGGBB"},
                      BadSkin{"UnknownName", "face = #D4D0C8\nfase = #000000\n",
                              "Invalid skin file, line 2: unknown colour name \"fase\""},
                      BadSkin{"Twice", "face = #D4D0C8\r\nFace = #000000\r\n",
                              "Invalid skin file, line 2: \"face\" is given twice"}),
    CaseName());

}  // namespace
}  // namespace tallowmere
