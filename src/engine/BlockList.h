#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/BlockListSource.h"
#include "platform/Environment.h"

namespace tallowmere {

// The block list lives in "xsettings.txt" in the folder that TEMP names. The
// path is built anew by every reader and writer: the variable's value, a
// backslash and the file name, with no check for a trailing separator (an
// unset TEMP gives the root of the drive). The hooks' reader is given the two
// names and follows the same rule.
inline constexpr std::string_view kBlockListFolderVariable = "TEMP";
inline constexpr std::string_view kBlockListFileName = "xsettings.txt";
std::string BlockListPath(Environment& environment);

// A key (its tag) or a mouse option (its entries) and whether it is chosen:
// marked or ticked.
struct ListEntries {
  std::string_view text;  // written unchanged
  bool chosen;
};

// The file's content: the text of every chosen key (in index order), then of
// every chosen mouse option, each followed by a comma, then CR LF.
std::string BlockListContent(std::span<const ListEntries> keys,
                             std::span<const ListEntries> mouseOptions);

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
// allocating: the lines joined, within the extent above. None when the file
// cannot be read; an empty file gives an empty list.
std::optional<std::string_view> ReadBlockList(BlockListSource& source, BlockListBuffer& buffer);

// Three readings of comma-separated text, each as its reader has always
// read it; they differ in which pieces they take and how a piece names a code.
//
// The hooks: every piece, and a piece names the code when it is a run of
// decimal digits of that value ("065" names 65; " 65" and "" name nothing).
bool MatchesBlockList(std::string_view text, std::int32_t code);
// The restore at load: only the pieces that a comma ends, so the piece after
// the last comma is never one; the restore compares them as text ("65" only).
std::vector<std::string> PiecesBeforeCommas(std::string_view text);
// The key capture poll, on a key's tag: every piece, empty ones too; no text
// gives no piece. Each is read by its LeadingNumber.
std::vector<std::string_view> AllPieces(std::string_view text);
// Leading blanks, then decimal digits up to the first other character: " 65x"
// reads 65, text without digits 0. Values beyond every key code read as some
// value beyond it.
int LeadingNumber(std::string_view text);

}  // namespace tallowmere
