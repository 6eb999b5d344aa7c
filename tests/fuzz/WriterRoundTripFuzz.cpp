// Marks and ticks written by the save routine and read back: by the hooks'
// rule, which must block exactly the written codes, and by the load, which
// must restore the same marks.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "engine/BlockList.h"
#include "fuzz/ListText.h"
#include "fuzz/Require.h"
#include "ui/Form1.h"
#include "unit/fakes/FakePlatform.h"

namespace tallowmere {
namespace {

constexpr char kListPath[] = "C:\\Temp\\xsettings.txt";

// A key's colour: mostly the two marking colours, sometimes any colour at all.
std::uint32_t KeyColor(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return kMarkedColor;
    case 1:
      return input.ConsumeIntegral<std::uint32_t>();
    default:
      return kUnmarkedColor;
  }
}

// A tick box's value: 0, 1, 2 (grayed) or any number.
int OptionValue(FuzzedDataProvider& input) {
  const int choice = input.ConsumeIntegralInRange<int>(0, 3);
  return choice < 3 ? choice : input.ConsumeIntegral<int>();
}

std::set<std::string> CodesIn(const std::string& joined) {
  const std::vector<std::string> entries = Entries(joined);
  return {entries.begin(), entries.end()};
}

}  // namespace
}  // namespace tallowmere

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tallowmere;
  FuzzedDataProvider input(data, size);

  FakePlatform written;
  Form1 form(written.platform, written.view);
  std::set<std::string> codes;  // every code the file must name
  std::vector<bool> tagMarked(1024);
  for (int i = 0; i < kKeyCount; ++i) {
    form.cmdKey[i].BackColor = KeyColor(input);
    if (form.cmdKey[i].BackColor == kMarkedColor) {
      codes.insert(std::string(kKeyTable[i].tag));
      tagMarked[std::stoul(std::string(kKeyTable[i].tag))] = true;
    }
  }
  std::vector<int> values;
  for (std::size_t o = 0; o < kMouseOptions.size(); ++o) {
    values.push_back(OptionValue(input));
    form.Tick(kMouseOptions[o].box).Value = values.back();
    if (values.back() == 1) {
      for (const std::string& entry : Pieces(kMouseOptions[o].entries)) codes.insert(entry);
    }
  }
  form.Check1_Click();
  const std::string text = written.files.content[kListPath];

  Require(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n", "the line ends with CR LF");
  const std::string line = text.substr(0, text.size() - 2);
  Require(line.find_first_not_of("0123456789,") == std::string::npos,
          "the line holds only digits and commas");
  Require(line.empty() || line.back() == ',', "every entry carries its comma");
  Require(line.find(",,") == std::string::npos && line.find(',') != 0, "no entry is empty");
  Require(CodesIn(line) == codes, "the file names exactly the marked keys and ticked options");

  // Every key code and mouse message, the edges of the type, and a few more.
  std::vector<std::int32_t> probes = {-1, 1000, 65536 + 65,
                                      std::numeric_limits<std::int32_t>::min(),
                                      std::numeric_limits<std::int32_t>::max()};
  for (std::int32_t code = 0; code <= 255; ++code) probes.push_back(code);
  for (std::int32_t code = 509; code <= 530; ++code) probes.push_back(code);
  for (int i = 0; i < 4 && input.remaining_bytes() > 0; ++i) {
    probes.push_back(input.ConsumeIntegral<std::int32_t>());
  }
  for (std::int32_t code : probes) {
    Require(MatchesBlockList(line, code) == (codes.count(std::to_string(code)) == 1),
            "the hooks block exactly the written codes");
  }

  FakePlatform read;
  read.files.content[kListPath] = text;
  Form1 restored(read.platform, read.view);
  restored.Form_Load();
  Require(read.dialogs.shown.empty(), "the load reads what the save wrote without a failure");
  for (int i = 0; i < kKeyCount; ++i) {
    // Buttons that carry one code (both Enter keys) are restored together.
    const bool expected = tagMarked[std::stoul(std::string(kKeyTable[i].tag))];
    Require((restored.cmdKey[i].BackColor == kMarkedColor) == expected,
            "the load marks the keys whose codes were written");
  }
  for (std::size_t o = 0; o < kMouseOptions.size(); ++o) {
    Require((restored.Tick(kMouseOptions[o].box).Value == 1) == (values[o] == 1),
            "the load ticks the options that were ticked");
  }
  restored.Check1_Click();
  Require(CodesIn(WithoutLineEnds(read.files.content[kListPath])) == codes,
          "saving the restored window writes the same codes");
  return 0;
}
