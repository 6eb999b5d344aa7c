#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallowmere {

// Plain restatements of the list's text rules, for checking the program's own.

inline std::string WithoutLineEnds(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if (c != '\r' && c != '\n') kept += c;
  }
  return kept;
}

// Every piece between commas, empty ones kept; an empty text has none.
inline std::vector<std::string> Pieces(std::string_view text) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  std::string piece;
  for (char c : text) {
    if (c == ',') {
      pieces.push_back(piece);
      piece.clear();
    } else {
      piece += c;
    }
  }
  pieces.push_back(piece);
  return pieces;
}

// The entries the load restores: every piece that a comma ends.
inline std::vector<std::string> Entries(std::string_view joined) {
  std::vector<std::string> entries = Pieces(joined);
  if (!entries.empty()) entries.pop_back();
  return entries;
}

}  // namespace tallowmere
