#include "engine/BlockList.h"

#include <gtest/gtest.h>

namespace tallowmere {
namespace {

TEST(BlockListPath, AppendsTheFileNameUnchanged) {
  EXPECT_EQ(BlockListPath("C:\\Temp"), "C:\\Temp\\xsettings.txt");
  EXPECT_EQ(BlockListPath("C:\\Temp\\"), "C:\\Temp\\\\xsettings.txt");
  EXPECT_EQ(BlockListPath(""), "\\xsettings.txt");
}

}  // namespace
}  // namespace tallowmere
