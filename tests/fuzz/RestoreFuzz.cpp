// The main window's load restoring its marks from any block list file.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/BlockList.h"
#include "fuzz/ListText.h"
#include "fuzz/Require.h"
#include "ui/Form1.h"
#include "unit/fakes/FakeHooks.h"
#include "unit/fakes/FakePlatform.h"

namespace tallowmere {
namespace {

constexpr char kListPath[] = "C:\\Temp\\xsettings.txt";

bool Contains(const std::vector<std::string>& entries, std::string_view entry) {
  return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

// The texts that stand for a mouse option's messages.
std::vector<std::string> OptionEntries(std::size_t option) {
  return Pieces(kMouseOptions[option].entries);
}

struct Marks {
  std::vector<bool> keys;
  std::vector<bool> options;
  bool operator==(const Marks&) const = default;
};

Marks MarksOf(Form1& form) {
  Marks marks;
  for (const KeyButton& key : form.cmdKey) marks.keys.push_back(key.BackColor == kMarkedColor);
  for (const MouseOption& option : kMouseOptions) {
    marks.options.push_back(form.Tick(option.box).Value == 1);
  }
  return marks;
}

// Loads a window from a list file; returns its marks and what the file holds
// after the load.
struct Loaded {
  Marks marks;
  std::string file;
  int saves;
  std::size_t reports;
  bool locking;
};

Loaded Load(const std::string& content) {
  FakePlatform fake;
  fake.files.content[kListPath] = content;
  Form1 form(fake.platform, fake.view);
  form.Form_Load();
  return {MarksOf(form), fake.files.content[kListPath], fake.files.replaces,
          fake.dialogs.shown.size(), form.Action(ControlId::PushButton6).Caption == kStopCaption};
}

}  // namespace
}  // namespace tallowmere

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tallowmere;
  const std::string content(reinterpret_cast<const char*>(data), size);
  const Loaded loaded = Load(content);
  Require(loaded.reports == 0, "no content of the list makes the load fail");
  Require(!loaded.locking, "the list alone never starts locking");

  // The window marks what the hooks read of the same file, no more.
  FakeBlockListSource source;
  source.content = content;
  BlockListBuffer buffer;
  const std::vector<std::string> entries = Entries(ReadBlockList(source, buffer).value());
  for (int i = 0; i < kKeyCount; ++i) {
    Require(loaded.marks.keys[i] == Contains(entries, kKeyTable[i].tag),
            "a key is marked exactly when an entry the hooks read is its code's text");
  }
  bool anyOption = false;
  for (std::size_t o = 0; o < kMouseOptions.size(); ++o) {
    const auto texts = OptionEntries(o);
    const bool named = std::any_of(texts.begin(), texts.end(),
                                   [&](const std::string& t) { return Contains(entries, t); });
    Require(loaded.marks.options[o] == named,
            "a mouse option is ticked exactly when an entry names one of its messages");
    anyOption = anyOption || named;
  }

  if (anyOption) {
    // Each option ticked saves at once; the last save has every mark.
    std::vector<ListEntries> keys, options;
    for (int i = 0; i < kKeyCount; ++i) keys.push_back({kKeyTable[i].tag, loaded.marks.keys[i]});
    for (std::size_t o = 0; o < kMouseOptions.size(); ++o) {
      options.push_back({kMouseOptions[o].entries, loaded.marks.options[o]});
    }
    Require(loaded.file == BlockListContent(keys, options),
            "after the load the file mirrors the window");
    Require(Load(loaded.file).marks == loaded.marks,
            "loading the saved list restores the same marks");
  } else {
    Require(loaded.saves == 0 && loaded.file == content,
            "a load that ticks nothing leaves the file alone");
  }
  return 0;
}
