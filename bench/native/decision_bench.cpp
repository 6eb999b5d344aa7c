// The cost of one hook decision on this system, reading the list from a real
// file the way the Windows reader does: path from TEMP on every call, a stack
// buffer, open, read, close.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "bench/DecisionTiming.h"

namespace {

class PosixBlockListSource : public tallowmere::BlockListSource {
 public:
  std::optional<std::size_t> Read(std::span<char> buffer) noexcept override {
    char path[4096];
    const char* temp = getenv("TEMP");
    const int length = std::snprintf(path, sizeof path, "%s/xsettings.txt", temp ? temp : "");
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof path) return std::nullopt;
    const int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) return std::nullopt;
    std::size_t total = 0;
    while (total < buffer.size()) {
      const ssize_t got = read(file, buffer.data() + total, buffer.size() - total);
      if (got < 0) {
        close(file);
        return std::nullopt;
      }
      if (got == 0) break;
      total += static_cast<std::size_t>(got);
    }
    close(file);
    return total;
  }
};

}  // namespace

int main() {
  char folder[] = "/tmp/tallowmere-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  setenv("TEMP", folder, 1);
  const std::string list = std::string(folder) + "/xsettings.txt";
  PosixBlockListSource source;
  tallowmere::bench::ReportDecisions("native", source, [&](const std::string& content) {
    std::ofstream(list, std::ios::binary | std::ios::trunc) << content;
  });
  unlink(list.c_str());
  rmdir(folder);
  return 0;
}
