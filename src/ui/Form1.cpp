#include "ui/Form1.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "engine/BlockList.h"
#include "shell/AppError.h"

namespace tallowmere {

namespace {

constexpr std::array<ControlId, 7> kTickBoxes = {
    ControlId::Check2_, ControlId::Check3_, ControlId::Check4_, ControlId::Check5_,
    ControlId::Check6_, ControlId::Check6,  ControlId::Check8};
constexpr std::array<ControlId, 3> kActionButtons = {ControlId::PushButton1, ControlId::PushButton2,
                                                     ControlId::PushButton6};

// GetAsyncKeyState of a key that is down and was pressed since the previous
// query. Held keys read 0x8000 and keys pressed and released between two polls
// read 0x0001; neither counts.
constexpr std::uint16_t kNewlyPressed = 0x8001;
constexpr int kLastKeyCode = 255;

// The numeric value of a text as the poll reads a key's code: leading blanks,
// then decimal digits up to the first other character; 0 when there are none.
int NumericValue(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    // Anything past the largest key code matches nothing; stop before overflow.
    if (value > kLastKeyCode) break;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The pieces of a text split at commas, empty pieces kept; no text, no piece.
std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> pieces;
  if (text.empty()) return pieces;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    pieces.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) return pieces;
    start = comma + 1;
  }
}

template <std::size_t N>
std::size_t Slot(const std::array<ControlId, N>& ids, ControlId id) {
  auto it = std::find(ids.begin(), ids.end(), id);
  if (it == ids.end()) throw std::out_of_range("not a control of this kind");
  return static_cast<std::size_t>(it - ids.begin());
}

}  // namespace

Form1::Form1(Platform& platform, FormView& view)
    : platform_(platform),
      view_(view),
      startupSettings_(platform.settings),
      startUp_(platform.registry, platform.environment) {
  for (int i = 0; i < kKeyCount; ++i) {
    const KeyDef& def = kKeyTable[i];
    cmdKey[i].Tag = def.tag;
    cmdKey[i].Caption = def.caption;
    cmdKey[i].ToolTipText = def.toolTip;
  }
  for (std::size_t i = 0; i < kTickBoxes.size(); ++i) {
    ticks_[i].Caption = Definition(kTickBoxes[i]).caption;
  }
  for (std::size_t i = 0; i < kActionButtons.size(); ++i) {
    actions_[i].Caption = Definition(kActionButtons[i]).caption;
  }
}

TickBox& Form1::Tick(ControlId id) {
  return ticks_[Slot(kTickBoxes, id)];
}

ActionButton& Form1::Action(ControlId id) {
  return actions_[Slot(kActionButtons, id)];
}

void Form1::TickBoxClicked(ControlId id) {
  SetValue(id, Tick(id).Value == 1 ? 0 : 1);
}

void Form1::SetValue(ControlId id, int value) {
  TickBox& box = Tick(id);
  if (box.Value == value) return;
  box.Value = value;
  view_.ControlChanged(id);
  TickBoxClick(id);
}

void Form1::TickBoxClick(ControlId id) {
  if (std::find(kMouseOptionBoxes.begin(), kMouseOptionBoxes.end(), id) !=
      kMouseOptionBoxes.end()) {
    Check1_Click();
  } else if (id == ControlId::Check6) {
    Check6_Click();
  } else if (id == ControlId::Check8) {
    Check8_Click();
  }
}

void Form1::SetVisible(ControlId id, bool visible) {
  Tick(id).Visible = visible;
  view_.ControlChanged(id);
}

void Form1::RestoreValue(ControlId id, int value) {
  Tick(id).Value = value;
  view_.ControlChanged(id);
}

void Form1::SetKeyBackColor(int index, std::uint32_t color) {
  cmdKey[index].BackColor = color;
  view_.KeyChanged(index);
}

void Form1::SetKeyVisible(int index, bool visible) {
  cmdKey[index].Visible = visible;
  view_.KeyChanged(index);
}

void Form1::SetCaption(ControlId id, const std::string& caption) {
  Action(id).Caption = caption;
  view_.ControlChanged(id);
}

void Form1::SetTimer1Enabled(bool enabled) {
  if (Timer1.Enabled == enabled) return;
  Timer1.Enabled = enabled;
  view_.Timer1Changed();
}

void Form1::SetWindowVisible(bool visible) {
  if (Visible == visible) return;
  Visible = visible;
  view_.VisibleChanged();
}

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

void Form1::Timer1_Timer() {
  // The poll's report box runs a message loop; a tick that arrives there must
  // not start a second poll inside the first.
  if (polling_) return;
  polling_ = true;
  struct EndOfPoll {
    bool& polling;
    ~EndOfPoll() { polling = false; }
  } endOfPoll{polling_};

  ErrorTrap trap(platform_.dialogs, "Timer1");
  trap.For(100, 1, kLastKeyCode, [&](int code) {
    std::uint16_t state = 0;
    bool newlyPressed = false;
    trap.Step(102, [&] { state = platform_.input.AsyncKeyState(code); });
    trap.Step(104, [&] { newlyPressed = state == kNewlyPressed; });
    if (trap.Test(106, [&] { return newlyPressed; })) {
      trap.For(110, 0, kLastKeyIndex, [&](int i) {
        std::vector<std::string_view> pieces;
        trap.Step(112, [&] { pieces = SplitAtCommas(cmdKey[i].Tag); });
        if (trap.Test(114, [&] { return pieces.size() == 1; })) {
          ToggleKeyForCode(trap, 116, i, cmdKey[i].Tag, code);
        } else {
          trap.For(132, 0, static_cast<int>(pieces.size()) - 1,
                   [&](int piece) { ToggleKeyForCode(trap, 134, i, pieces[piece], code); });
        }
      });
      trap.Step(150, [&] { Check1_Click(); });
    }
  });
}

// The mark and unmark actions of a key click, for a key button whose code
// (`codeText`) is the newly pressed one. They take eight lines from `firstLine`.
void Form1::ToggleKeyForCode(ErrorTrap& trap, int firstLine, int index, std::string_view codeText,
                             int code) {
  KeyButton& key = cmdKey[index];
  const auto hasPicture = [&] { return !key.ToolTipText.empty(); };
  if (trap.Test(firstLine, [&] {
        return NumericValue(codeText) == code && key.BackColor == kUnmarkedColor;
      })) {
    trap.Step(firstLine + 2, [&] { SetKeyBackColor(index, kMarkedColor); });
    if (trap.Test(firstLine + 4, hasPicture)) {
      trap.Step(firstLine + 6, [&] { SetKeyVisible(index, false); });
    }
  } else if (trap.Test(firstLine + 8, [&] {
               return NumericValue(codeText) == code && key.BackColor == kMarkedColor;
             })) {
    if (trap.Test(firstLine + 10, hasPicture)) {
      trap.Step(firstLine + 12, [&] { SetKeyVisible(index, true); });
    }
    trap.Step(firstLine + 14, [&] { SetKeyBackColor(index, kUnmarkedColor); });
  }
}

void Form1::ActivationChanged() {
  const bool active = platform_.input.MainWindowActive();
  if (active && !Timer1.Enabled) {
    // Presses made while another window was active (the Enter that dismissed
    // a message box, the Alt of Alt+Tab) were not meant for marking: read them
    // off so that the poll counts only presses made in this window.
    for (int code = 1; code <= kLastKeyCode; ++code) platform_.input.AsyncKeyState(code);
  }
  SetTimer1Enabled(active);
}

void Form1::Check1_Click() {
  std::array<KeyMark, kKeyCount> keys;
  for (int i = 0; i <= kLastKeyIndex; ++i) keys[i] = {cmdKey[i].BackColor, cmdKey[i].Tag};
  std::array<int, kMouseOptionBoxes.size()> values;
  for (std::size_t i = 0; i < kMouseOptionBoxes.size(); ++i) {
    values[i] = Tick(kMouseOptionBoxes[i]).Value;
  }
  const std::string path = BlockListPath(platform_.environment.Variable("TEMP"));
  platform_.files.Replace(path, BlockListContent(keys, values));
}

void Form1::Check6_Click() {
  if (bLoading) return;
  // The registry goes first: when Windows refuses, the box and the setting
  // keep saying what Windows will do at the next log-on.
  if (Tick(ControlId::Check6).Value == 1) {
    try {
      startUp_.AddEntry();
    } catch (const AppError& e) {
      platform_.dialogs.Show(std::string(kStartupAddFailed) + "\r\n\r\n" + e.Description(),
                             std::string(kStartupFailureCaption), DialogIcon::Exclamation);
      RestoreValue(ControlId::Check6, 0);
      startupSettings_.SetWindowsStartup(false);
      return;
    }
    SetVisible(ControlId::Check8, true);
    startupSettings_.SetWindowsStartup(true);
  } else {
    try {
      startUp_.RemoveEntry();
    } catch (const AppError& e) {
      platform_.dialogs.Show(std::string(kStartupRemoveFailed) + "\r\n\r\n" + e.Description(),
                             std::string(kStartupFailureCaption), DialogIcon::Exclamation);
      RestoreValue(ControlId::Check6, 1);
      startupSettings_.SetWindowsStartup(true);
      return;
    }
    SetValue(ControlId::Check8, 0);
    SetVisible(ControlId::Check8, false);
    startupSettings_.SetWindowsStartup(false);
  }
}

void Form1::Check8_Click() {
  startupSettings_.SetMinimized(Tick(ControlId::Check8).Value == 1);
}

}  // namespace tallowmere
