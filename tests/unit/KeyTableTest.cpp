#include "engine/KeyTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace tallowmere {
namespace {

int Code(const KeyDef& key) {
  return std::stoi(std::string(key.tag));
}

TEST(KeyTable, TagsAreCanonicalVirtualKeyCodes) {
  for (const KeyDef& key : kKeyTable) {
    const int code = Code(key);
    EXPECT_GE(code, 1);
    EXPECT_LE(code, 254);
    EXPECT_EQ(std::to_string(code), key.tag) << "no blanks, sign or leading zeros";
  }
}

TEST(KeyTable, OnlyEnterAppearsTwice) {
  std::map<int, int> count;
  for (const KeyDef& key : kKeyTable) ++count[Code(key)];
  EXPECT_EQ(count.size(), 103u);
  EXPECT_EQ(count[13], 2);
}

TEST(KeyTable, SidesAndKeypadHaveTheirOwnCodes) {
  std::set<int> codes;
  for (const KeyDef& key : kKeyTable) codes.insert(Code(key));
  for (int code : {160, 161, 162, 163, 164, 165, 91, 92, 93})
    EXPECT_TRUE(codes.count(code)) << code;
  for (int code : {16, 17, 18}) EXPECT_FALSE(codes.count(code)) << code;
  for (int code = 48; code <= 57; ++code) EXPECT_TRUE(codes.count(code)) << code;
  for (int code = 96; code <= 105; ++code) EXPECT_TRUE(codes.count(code)) << code;
  for (int code = 65; code <= 90; ++code) EXPECT_TRUE(codes.count(code)) << code;
  for (int code = 112; code <= 123; ++code) EXPECT_TRUE(codes.count(code)) << code;
}

TEST(KeyTable, ExactlyThePictureKeysHaveToolTipsAndPictures) {
  for (int i = 0; i < kKeyCount; ++i) {
    const KeyDef& key = kKeyTable[i];
    const bool pictureKey = i == 73 || i == 74 || i == 75;
    EXPECT_EQ(!key.toolTip.empty(), pictureKey) << i;
    EXPECT_EQ(key.picture != Picture::None, pictureKey) << i;
    EXPECT_EQ(key.caption.empty(), pictureKey || i == 99) << i;  // the space bar is blank
  }
  EXPECT_EQ(kKeyTable[73].picture, Picture::WindowsLogo);
  EXPECT_EQ(kKeyTable[74].picture, Picture::WindowsLogo);
  EXPECT_EQ(kKeyTable[75].picture, Picture::MenuSymbol);
}

TEST(KeyTable, KeysLieOverTheKeyboardPictureWithoutOverlapping) {
  // The keyboard picture: 240, 330, 9120 x 2145 twips in the same frame.
  for (int i = 0; i < kKeyCount; ++i) {
    const KeyDef& a = kKeyTable[i];
    EXPECT_GE(a.left, 240) << i;
    EXPECT_GE(a.top, 330) << i;
    EXPECT_LE(a.left + a.width, 240 + 9120) << i;
    EXPECT_LE(a.top + a.height, 330 + 2145) << i;
    for (int j = i + 1; j < kKeyCount; ++j) {
      const KeyDef& b = kKeyTable[j];
      const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      EXPECT_TRUE(apart) << i << " overlaps " << j;
    }
  }
}

}  // namespace
}  // namespace tallowmere
