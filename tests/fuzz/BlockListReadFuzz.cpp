// The hooks' reading rule on any file: the bounded read, the joining of the
// lines, MatchesBlockList, and the decision of both hook procedures.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "engine/BlockList.h"
#include "engine/KBMouseHook.h"
#include "fuzz/ListText.h"
#include "fuzz/Require.h"
#include "unit/fakes/FakeHooks.h"

namespace tallowmere {
namespace {

constexpr auto npos = std::string_view::npos;

// The rule written out plainly: a piece names the code when it is a run of
// digits whose value is the code. Values are compared as digit strings, so no
// piece is too long to compare.
bool Names(std::string_view piece, std::uint64_t code) {
  if (piece.empty() ||
      !std::all_of(piece.begin(), piece.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  const std::size_t significant = std::min(piece.find_first_not_of('0'), piece.size() - 1);
  return piece.substr(significant) == std::to_string(code);
}

bool Listed(const std::vector<std::string>& pieces, std::uint64_t code) {
  if (code > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return false;
  return std::any_of(pieces.begin(), pieces.end(),
                     [&](const std::string& piece) { return Names(piece, code); });
}

// The value of a run of digits, saturated: a code that the list names.
std::uint64_t ValueOf(std::string_view piece) {
  std::uint64_t value = 0;
  for (char c : piece) {
    if (c < '0' || c > '9') return 0;
    value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(c - '0'),
                                    std::uint64_t{1} << 40);
  }
  return value;
}

// A source that may claim to have read more than it put into the buffer, as a
// faulty platform might: the read must still stay inside the buffer.
class ClaimingSource : public BlockListSource {
 public:
  std::string content;
  std::size_t overclaim = 0;
  int reads = 0;
  std::optional<std::size_t> Read(std::span<char> buffer) noexcept override {
    ++reads;
    const std::size_t n = std::min(buffer.size(), content.size());
    std::copy_n(content.data(), n, buffer.data());
    return n + overclaim;
  }
};

}  // namespace
}  // namespace tallowmere

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tallowmere;
  const std::string file(reinterpret_cast<const char*>(data), size);

  // A faulty platform that claims more bytes than it read: the list must stay
  // inside the buffer and the bound, whatever it holds.
  ClaimingSource claiming;
  claiming.content = file;
  claiming.overclaim = 1 + size % 10000;
  BlockListBuffer claimed;
  const std::string_view overclaimed = ReadBlockList(claiming, claimed).value();
  Require(overclaimed.size() <= kBlockListReadLimit && overclaimed.data() >= claimed.data() &&
              overclaimed.data() + overclaimed.size() <= claimed.data() + claimed.size(),
          "an overclaiming read stays inside the buffer and the bound");

  ClaimingSource source;
  source.content = file;
  BlockListBuffer buffer;
  const std::string_view list = ReadBlockList(source, buffer).value();
  Require(source.reads == 1, "one read of the file per decision");
  Require(list.size() <= kBlockListReadLimit, "a hook reads no more than the bound");
  Require(list.find_first_of("\r\n") == npos, "line ends are not part of the list");

  const std::string whole = WithoutLineEnds(file);
  if (file.size() <= kBlockListReadLimit) {
    Require(list == whole, "a file within the bound is read whole");
  } else {
    Require(whole.substr(0, list.size()) == list, "a long file's list is the start of the file");
    Require(list.empty() || list.back() == ',', "a long file's list ends after a comma");
    const std::string head = WithoutLineEnds(std::string_view(file).substr(0, kBlockListReadLimit));
    Require(head.find(',', list.size()) == npos, "no entry that ends within the bound is dropped");
  }

  // Codes around the ranges of keys and mouse messages and the edges of the
  // types, and the values (and neighbours) of the first pieces of the file.
  std::vector<std::uint64_t> codes = {
      0, 1, 13, 65, 254, 255, 512, 522, 526, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 1ULL << 32, ~0ULL};
  const std::vector<std::string> listPieces = Pieces(list);
  const std::vector<std::string> filePieces = Pieces(whole);
  int taken = 0;
  for (const std::string& piece : filePieces) {
    if (piece.empty() || piece.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::uint64_t value = ValueOf(piece);
    codes.insert(codes.end(), {value, value + 1});
    if (value > 0) codes.push_back(value - 1);
    if (++taken == 8) break;
  }

  FakeHookCalls hooks;
  FakeBlockListSource hookSource;
  hookSource.content = file;
  FakeHookEvents events;
  FakeInput keys;
  KBMouseHook hook(hooks, hookSource, keys, events);
  for (std::uint64_t code : codes) {
    const bool listed = Listed(listPieces, code);
    Require(!listed || Listed(filePieces, code),
            "the bound never blocks what the file does not list");
    if (code <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
      Require(MatchesBlockList(list, static_cast<std::int32_t>(code)) == listed,
              "MatchesBlockList finds exactly the listed codes");
    }
    if (code <= std::numeric_limits<std::uint32_t>::max()) {
      const auto code32 = static_cast<std::uint32_t>(code);
      // A button's release goes by its press, not by the list.
      const bool release = code32 == 0x202 || code32 == 0x205 || code32 == 0x208;
      Require(hook.MouseProc({code32, false}) == listed || release,
              "the mouse hook swallows exactly the listed messages");
      Require(hook.KeyboardProc({code32, true, false}) == listed,
              "the keyboard hook swallows exactly the listed keys");
    }
  }
  return 0;
}
