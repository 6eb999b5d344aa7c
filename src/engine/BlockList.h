#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/BlockListSource.h"

namespace tallowmere {

// The block list lives in "xsettings.txt" in the TEMP directory. The path is
// built anew by every reader and writer: TEMP followed by this suffix, with no
// check for a trailing separator (an unset TEMP gives the root of the drive).
inline constexpr std::string_view kBlockListFileName = "xsettings.txt";
std::string BlockListPath(std::string_view temp);

// The five mouse options in the order their entries are written.
struct MouseOption {
  std::string_view caption;
  std::string_view entries;  // the text written when the option is ticked
};
inline constexpr std::array<MouseOption, 5> kMouseOptions = {{
    {"Disable Left Click", "513,514"},
    {"Disable Right Click", "516,517"},
    {"Disable Mouse Movement", "512"},
    {"Disable Mouse Scroll", "522"},
    {"Disable Middle Button", "519,520"},
}};

struct KeyMark {
  std::uint32_t backColor;
  std::string_view tag;
};

// The file's content for the given key buttons (index order) and mouse option
// values (order of kMouseOptions): the tag of every green key, then the entries
// of every option whose value is 1, each followed by a comma, then CR LF.
std::string BlockListContent(std::span<const KeyMark> keys, std::span<const int> mouseValues);

// Removes CR and LF from the text in place and returns the joined lines.
std::string_view JoinLines(char* text, std::size_t size);

// The most a hook reads of the file for one event. A real list is a few
// hundred bytes; the bound keeps every event prompt whatever the file holds.
inline constexpr std::size_t kBlockListReadLimit = 4096;
// One byte past the bound tells whether the file goes on beyond it.
using BlockListBuffer = std::array<char, kBlockListReadLimit + 1>;

// How much of a file's text counts as the list: all of it up to the bound;
// beyond, the text up to the last comma within the bound, so that no piece
// is cut. The hooks and the load both keep to it, so that the window marks
// exactly what the hooks block.
std::size_t BlockListExtent(std::string_view text);

// The list as one hook call sees it, read into the caller's buffer without
// allocating: the lines joined, within the extent above. A file that cannot
// be read gives an empty list.
std::string_view ReadBlockList(BlockListSource& source, BlockListBuffer& buffer);

// True when a comma-separated piece of the text is a run of decimal digits
// whose value equals the code. Empty and non-numeric pieces match nothing.
bool MatchesBlockList(std::string_view text, std::int32_t code);

}  // namespace tallowmere
