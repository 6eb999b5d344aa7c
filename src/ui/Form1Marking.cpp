#include "ui/Form1.h"

namespace tallowmere {

// A key click carries the same trap as the marking buttons: a save that fails
// is reported (the user must learn that the file no longer matches the
// screen), and the new colour stays.
void Form1::cmdKey_Click(std::int16_t Index) {
  ErrorTrap trap(platform_.dialogs, "cmdKey_Click");
  const auto hasPicture = [&] { return !cmdKey[Index].ToolTipText.empty(); };
  if (trap.Test(100, [&] { return cmdKey[Index].BackColor == kUnmarkedColor; })) {
    trap.Step(102, [&] { SetKeyBackColor(Index, kMarkedColor); });
    if (trap.Test(104, hasPicture)) trap.Step(106, [&] { SetKeyVisible(Index, false); });
  } else {
    trap.Step(108, [&] { SetKeyBackColor(Index, kUnmarkedColor); });
    if (trap.Test(110, hasPicture)) trap.Step(112, [&] { SetKeyVisible(Index, true); });
  }
  trap.Step(114, [&] { Check1_Click(); });
}

void Form1::PushButton1_Click() {
  SetAllKeys("PushButton1_Click", kMarkedColor, false);
}

void Form1::PushButton2_Click() {
  SetAllKeys("PushButton2_Click", kUnmarkedColor, true);
}

void Form1::SetAllKeys(std::string_view handler, std::uint32_t color, bool visible) {
  ErrorTrap trap(platform_.dialogs, handler);
  trap.For(100, 0, kLastKeyIndex, [&](int i) {
    trap.Step(102, [&] { SetKeyBackColor(i, color); });
    if (trap.Test(104, [&] { return !cmdKey[i].ToolTipText.empty(); })) {
      trap.Step(106, [&] { SetKeyVisible(i, visible); });
    }
  });
  trap.Step(108, [&] { Check1_Click(); });
}

}  // namespace tallowmere
