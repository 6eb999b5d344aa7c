#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tallowmere {

// A key button's face colour is its mark: gray lets the key pass, green blocks it.
inline constexpr std::uint32_t kUnmarkedColor = 0xC0C0C0;
inline constexpr std::uint32_t kMarkedColor = 0x00FF00;

// Every control of the main window apart from the key buttons.
enum class ControlId {
  Form1,
  Frame1,
  Image1,
  PushButton1,
  PushButton2,
  Label2,
  Label1,
  Frame2,
  Check5_,
  Check3_,
  Check4_,
  Check2_,
  Check6_,
  Frame3,
  Check6,
  Check8,
  PushButton6,
  Check1,
  End,  // one past the last control, no control itself
};

enum class ControlKind { Window, Frame, Picture, ActionButton, Label, TickBox, CommandButton };

struct ControlDef {
  ControlId id;
  ControlKind kind;
  ControlId container;
  std::string_view caption;
  int left, top, width, height;  // twips inside the container
};

inline constexpr int kClientWidthTwips = 9840;
inline constexpr int kClientHeightTwips = 5940;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// Everything about one mouse option: its tick box, caption and the entries it
// writes to the block list, and the line at which the load's restore tests an
// entry of the list for it (it ticks the box at the next line, two on). The
// order is that of the entries in the list.
struct MouseOption {
  ControlId box;
  std::string_view caption;
  std::string_view entries;
  int restoreLine;
};
inline constexpr std::array<MouseOption, 5> kMouseOptions = {{
    {ControlId::Check2_, "Disable Left Click", "513,514", 160},
    {ControlId::Check3_, "Disable Right Click", "516,517", 164},
    {ControlId::Check4_, "Disable Mouse Movement", "512", 168},
    {ControlId::Check5_, "Disable Mouse Scroll", "522", 172},
    {ControlId::Check6_, "Disable Middle Button", "519,520", 176},
}};
// The load's next step after the restore.
inline constexpr int kRestoreStartupOptionsLine = 180;

constexpr std::string_view MouseCaption(ControlId box) {
  for (const MouseOption& option : kMouseOptions) {
    if (option.box == box) return option.caption;
  }
  return {};
}

// Creation order is the order of this table and of ControlId: containers
// before their children, and the keyboard picture before the key buttons that
// lie over it.
inline constexpr std::array<ControlDef, static_cast<std::size_t>(ControlId::End) - 1> kControls = {{
    {ControlId::Frame1, ControlKind::Frame, ControlId::Form1, "Keyboard Settings", 120, 120, 9600,
     3225},
    {ControlId::Image1, ControlKind::Picture, ControlId::Frame1, "", 240, 330, 9120, 2145},
    {ControlId::PushButton1, ControlKind::ActionButton, ControlId::Frame1, "Mark All Buttons", 240,
     2640, 2400, 405},
    {ControlId::PushButton2, ControlKind::ActionButton, ControlId::Frame1, "Unmark All Buttons",
     2760, 2640, 2400, 405},
    {ControlId::Label2, ControlKind::Label, ControlId::Frame1, "Enabled key = gray", 5520, 2715,
     1755, 255},
    {ControlId::Label1, ControlKind::Label, ControlId::Frame1, "Disabled key = green", 7560, 2715,
     1875, 255},
    {ControlId::Frame2, ControlKind::Frame, ControlId::Form1, "Mouse Settings", 120, 3420, 9600,
     1050},
    {ControlId::Check5_, ControlKind::TickBox, ControlId::Frame2, MouseCaption(ControlId::Check5_),
     240, 300, 2115, 255},
    {ControlId::Check3_, ControlKind::TickBox, ControlId::Frame2, MouseCaption(ControlId::Check3_),
     2520, 300, 1905, 255},
    {ControlId::Check4_, ControlKind::TickBox, ControlId::Frame2, MouseCaption(ControlId::Check4_),
     4920, 300, 2475, 255},
    {ControlId::Check2_, ControlKind::TickBox, ControlId::Frame2, MouseCaption(ControlId::Check2_),
     240, 650, 1875, 255},
    {ControlId::Check6_, ControlKind::TickBox, ControlId::Frame2, MouseCaption(ControlId::Check6_),
     2520, 650, 2235, 255},
    {ControlId::Frame3, ControlKind::Frame, ControlId::Form1, "Startup Options", 120, 4560, 9600,
     720},
    {ControlId::Check6, ControlKind::TickBox, ControlId::Frame3,
     "Load this software on Windows startup", 240, 300, 3870, 255},
    {ControlId::Check8, ControlKind::TickBox, ControlId::Frame3, "Start in system tray", 4320, 300,
     1980, 255},
    {ControlId::PushButton6, ControlKind::ActionButton, ControlId::Form1, "Start Disabling", 120,
     5410, 9600, 405},
    {ControlId::Check1, ControlKind::CommandButton, ControlId::Form1, "Save Settings", 120, 6360,
     2235, 400},
}};

constexpr const ControlDef& Definition(ControlId id) {
  return kControls.at(static_cast<std::size_t>(id) - 1);
}

// How many controls there are of a kind.
constexpr std::size_t CountOf(ControlKind kind) {
  std::size_t count = 0;
  for (const ControlDef& def : kControls) count += def.kind == kind ? 1 : 0;
  return count;
}

constexpr bool TablesInStep() {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (kControls[i].id != static_cast<ControlId>(i + 1)) return false;
  }
  for (const ControlDef& def : kControls) {
    if (def.container == ControlId::Frame2 && MouseCaption(def.id).empty()) return false;
  }
  int line = 0;
  for (const MouseOption& option : kMouseOptions) {
    const ControlDef& box = Definition(option.box);
    if (box.kind != ControlKind::TickBox || box.container != ControlId::Frame2) return false;
    // Each option's test and tick lines come after the last one's.
    if (option.restoreLine < line + 4) return false;
    line = option.restoreLine;
  }
  return line + 2 < kRestoreStartupOptionsLine;
}
static_assert(TablesInStep(),
              "kControls follows ControlId; the mouse options and the tick boxes of the "
              "frame \"Mouse Settings\" are the same; each option has lines of its own before "
              "the start-up options'");

}  // namespace tallowmere
