#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tallowmere {

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

// Creation order is the order of this table: containers before their children,
// and the keyboard picture before the key buttons that lie over it.
inline constexpr std::array<ControlDef, 17> kControls = {{
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
    {ControlId::Check5_, ControlKind::TickBox, ControlId::Frame2, "Disable Mouse Scroll", 240, 300,
     2115, 255},
    {ControlId::Check3_, ControlKind::TickBox, ControlId::Frame2, "Disable Right Click", 2520, 300,
     1905, 255},
    {ControlId::Check4_, ControlKind::TickBox, ControlId::Frame2, "Disable Mouse Movement", 4920,
     300, 2475, 255},
    {ControlId::Check2_, ControlKind::TickBox, ControlId::Frame2, "Disable Left Click", 240, 650,
     1875, 255},
    {ControlId::Check6_, ControlKind::TickBox, ControlId::Frame2, "Disable Middle Button", 2520,
     650, 2235, 255},
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

// The mouse option boxes in the order of their block list entries.
inline constexpr std::array<ControlId, 5> kMouseOptionBoxes = {
    ControlId::Check2_, ControlId::Check3_, ControlId::Check4_, ControlId::Check5_,
    ControlId::Check6_};

const ControlDef& Definition(ControlId id);

}  // namespace tallowmere
