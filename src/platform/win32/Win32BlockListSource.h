#pragma once

#include <string>
#include <string_view>

#include "platform/BlockListSource.h"

namespace tallowmere {

// Reads the block list for a hook call: the value of the folder variable, a
// backslash and the file name, read anew on every call into a stack buffer;
// the file opened so that the writer and other programs may go on using it,
// and closed again before returning.
class Win32BlockListSource : public BlockListSource {
 public:
  Win32BlockListSource(std::string_view folderVariable, std::string_view fileName);
  std::optional<std::size_t> Read(std::span<char> buffer) noexcept override;

 private:
  std::wstring folderVariable_;
  std::wstring suffix_;  // the backslash and the file name
};

}  // namespace tallowmere
