// Replacing the block list while another program has it open, as virus
// scanners, indexers and editors do for a moment.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

#include "CaseName.h"
#include "platform/AppError.h"
#include "platform/win32/Handle.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Files.h"
#include "win/support/TestFolder.h"

namespace tallowmere::test {
namespace {

using namespace std::chrono_literals;

struct HoldCase {
  const char* name;
  // How long the other program keeps the list open after the save starts;
  // zero: for the whole save.
  std::chrono::milliseconds hold;
  bool saved;
};

class ReplaceWhileHeld : public ::testing::TestWithParam<HoldCase> {
 protected:
  TestFolder temp_;
  std::wstring list_ = temp_.Write(L"xsettings.txt", "65,\r\n");
  Win32Files files_;

  std::string Content() { return files_.ReadAll(Utf8(list_)); }
};

TEST_P(ReplaceWhileHeld, SavesOnceTheHoldEndsAndNeverLosesTheList) {
  const HoldCase& c = GetParam();
  std::optional<Handle> holder;
  holder.emplace(CreateFileW(list_.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder->Valid());
  std::thread release;
  if (c.hold.count() > 0) {
    release = std::thread([&] {
      std::this_thread::sleep_for(c.hold);
      holder.reset();
    });
  }

  bool saved = true;
  try {
    files_.Replace(Utf8(list_), "65,66,\r\n");
  } catch (const AppError&) {
    saved = false;
  }
  if (release.joinable()) release.join();
  holder.reset();

  EXPECT_EQ(saved, c.saved);
  EXPECT_EQ(Content(), c.saved ? "65,66,\r\n" : "65,\r\n");
  EXPECT_EQ(GetFileAttributesW((list_ + L".new").c_str()), INVALID_FILE_ATTRIBUTES)
      << "the new content's file stayed behind";
}

INSTANTIATE_TEST_SUITE_P(Holds, ReplaceWhileHeld,
                         ::testing::Values(HoldCase{"HeldForAMoment", 60ms, true},
                                           HoldCase{"HeldThroughout", 0ms, false}),
                         CaseName());

}  // namespace
}  // namespace tallowmere::test
