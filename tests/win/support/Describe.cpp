#include "win/support/Describe.h"

#include <sstream>

namespace tallowmere::test {

std::string Describe(const RECT& rect) {
  std::ostringstream out;
  out << "{left " << rect.left << ", top " << rect.top << ", width " << rect.right - rect.left
      << ", height " << rect.bottom - rect.top << "}";
  return out.str();
}

std::string Hex(COLORREF colour) {
  std::ostringstream out;
  out << "0x" << std::hex << colour;
  return out.str();
}

std::string Visible(const std::string& text) {
  std::string shown;
  for (char c : text) {
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace tallowmere::test
