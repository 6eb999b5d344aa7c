#include "win/support/FileWatch.h"

#include <utility>

namespace tallowmere::test {

FileWatch::FileWatch(std::filesystem::path path) : path_(std::move(path)) {
  stamp_ = StampOf(path_);
  bytes_ = ReadFileBytes(path_);
}

void FileWatch::Refresh() {
  const auto stamp = StampOf(path_);
  if (stamp == stamp_) return;
  stamp_ = stamp;
  bytes_ = ReadFileBytes(path_);
}

bool FileWatch::WaitForBytes(const std::string& expected, std::chrono::milliseconds timeout) {
  return WaitFor(
      [&] {
        Refresh();
        return bytes_ == expected;
      },
      timeout);
}

}  // namespace tallowmere::test
