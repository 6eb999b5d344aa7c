#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace tallowmere {

// The block list file as the hooks read it: the path is built anew from TEMP
// on every call. Runs for every input event of the desktop, so it must return
// promptly, allocate nothing and throw nothing; it runs on the hooks' thread,
// beside the window's, so it changes nothing of its own after construction.
class BlockListSource {
 public:
  virtual ~BlockListSource() = default;
  // Fills the buffer with the start of the file, at most buffer.size() bytes,
  // and returns how many it read; none when the file cannot be opened or read
  // (missing, held without sharing, not a disk file), so that an empty file
  // stays apart from one that failed.
  virtual std::optional<std::size_t> Read(std::span<char> buffer) noexcept = 0;
};

}  // namespace tallowmere
