#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/BlockListSource.h"

namespace tallowmere::bench {

// A key that no button carries (F24), so each decision walks the whole list.
inline constexpr std::uint32_t kUnlistedKey = 0x87;

// The program's list with every key marked and every mouse option ticked:
// 112 entries.
std::string FullBlockList();
// The same without mouse movement, so that moves and unlisted keys pass.
std::string EverythingButMovement();

// Prints "decision.PLATFORM.ENTRIES MICROSECONDS" for the lists of 1 and 112
// entries: the median time of one keyboard hook call (read the list from the
// source, match) for an unlisted key. `write` puts a list where `source`
// reads it.
void ReportDecisions(const char* platform, BlockListSource& source,
                     const std::function<void(const std::string&)>& write);

}  // namespace tallowmere::bench
