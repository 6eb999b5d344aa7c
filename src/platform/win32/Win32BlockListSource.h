#pragma once

#include "platform/BlockListSource.h"

namespace tallowmere {

// Reads TEMP\xsettings.txt for a hook call: a stack buffer for the path, the
// file opened so that the writer and other programs may go on using it, and
// closed again before returning.
class Win32BlockListSource : public BlockListSource {
 public:
  std::size_t Read(std::span<char> buffer) noexcept override;
};

}  // namespace tallowmere
