#include "engine/BlockList.h"

#include <algorithm>

namespace tallowmere {

std::string BlockListPath(Environment& environment) {
  std::string path = environment.Variable(std::string(kBlockListFolderVariable));
  path += '\\';
  path += kBlockListFileName;
  return path;
}

std::string BlockListContent(std::span<const ListEntries> keys,
                             std::span<const ListEntries> mouseOptions) {
  std::string text;
  for (std::span<const ListEntries> group : {keys, mouseOptions}) {
    for (const ListEntries& entries : group) {
      if (entries.chosen) {
        text += entries.text;
        text += ',';
      }
    }
  }
  text += "\r\n";
  return text;
}

std::string_view JoinLines(char* text, std::size_t size) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (text[i] != '\r' && text[i] != '\n') text[kept++] = text[i];
  }
  return {text, kept};
}

std::size_t BlockListExtent(std::string_view text) {
  if (text.size() <= kBlockListReadLimit) return text.size();
  const std::size_t comma = text.substr(0, kBlockListReadLimit).rfind(',');
  return comma == std::string_view::npos ? 0 : comma + 1;
}

std::optional<std::string_view> ReadBlockList(BlockListSource& source, BlockListBuffer& buffer) {
  const std::optional<std::size_t> read = source.Read(buffer);
  if (!read) return std::nullopt;
  const std::size_t size = std::min(*read, buffer.size());
  return JoinLines(buffer.data(), BlockListExtent(std::string_view(buffer.data(), size)));
}

namespace {

bool PieceEquals(std::string_view piece, std::int32_t code) {
  if (piece.empty() || code < 0) return false;
  std::int64_t value = 0;
  for (char c : piece) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > code) {
      // Keep scanning: a later non-digit still makes the piece no number,
      // but the value can no longer come down to the code.
      value = std::int64_t{code} + 1;
    }
  }
  return value == code;
}

}  // namespace

bool MatchesBlockList(std::string_view text, std::int32_t code) {
  if (text.empty()) return false;
  std::size_t start = 0;
  while (true) {
    std::size_t comma = text.find(',', start);
    std::string_view piece = text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (PieceEquals(piece, code)) return true;
    if (comma == std::string_view::npos) return false;
    start = comma + 1;
  }
}

std::vector<std::string> PiecesBeforeCommas(std::string_view text) {
  std::vector<std::string> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) return pieces;
    pieces.emplace_back(text.substr(start, comma - start));
    start = comma + 1;
  }
}

std::vector<std::string_view> AllPieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  if (text.empty()) return pieces;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    pieces.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) return pieces;
    start = comma + 1;
  }
}

int LeadingNumber(std::string_view text) {
  // Past the largest key code nothing can match: stop before overflow.
  constexpr int kBeyondEveryCode = 255;
  std::size_t i = text.find_first_not_of(' ');
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > kBeyondEveryCode) break;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace tallowmere
