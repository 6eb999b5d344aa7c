#include "ui/Form1.h"

#include <algorithm>
#include <stdexcept>

#include "engine/BlockList.h"
#include "shell/AppError.h"
#include "shell/Main.h"

namespace tallowmere {

namespace {

constexpr std::array<ControlId, 7> kTickBoxes = {
    ControlId::Check2_, ControlId::Check3_, ControlId::Check4_, ControlId::Check5_,
    ControlId::Check6_, ControlId::Check6,  ControlId::Check8};
constexpr std::array<ControlId, 3> kActionButtons = {ControlId::PushButton1, ControlId::PushButton2,
                                                     ControlId::PushButton6};
constexpr std::array<ControlId, 5> kPlainControls = {
    ControlId::Frame1, ControlId::Frame2, ControlId::Frame3, ControlId::Label1, ControlId::Label2};

ControlKind KindOf(ControlId id) {
  return id == ControlId::Form1 ? ControlKind::Window : Definition(id).kind;
}

template <std::size_t N>
std::size_t Slot(const std::array<ControlId, N>& ids, ControlId id) {
  auto it = std::find(ids.begin(), ids.end(), id);
  if (it == ids.end()) throw std::out_of_range("not a control of this kind");
  return static_cast<std::size_t>(it - ids.begin());
}

}  // namespace

Form1::Form1(Platform& platform, FormView& view)
    : Caption(kProductName),
      cSysTray1(platform.tray, true),
      kbMouseHook(platform.hooks, platform.blockList, *this),
      platform_(platform),
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
  for (std::size_t i = 0; i < kPlainControls.size(); ++i) {
    plains_[i].Caption = Definition(kPlainControls[i]).caption;
  }
  CreateSysTray1();
}

TickBox& Form1::Tick(ControlId id) {
  return ticks_[Slot(kTickBoxes, id)];
}

ActionButton& Form1::Action(ControlId id) {
  return actions_[Slot(kActionButtons, id)];
}

WindowHandle Form1::hWnd() const {
  return view_.Handle();
}

PlainControl& Form1::Plain(ControlId id) {
  return plains_[Slot(kPlainControls, id)];
}

void Form1::SetCaption(ControlId id, const std::string& caption) {
  switch (KindOf(id)) {
    case ControlKind::Window:
      Caption = caption;
      break;
    case ControlKind::ActionButton:
      Action(id).Caption = caption;
      break;
    case ControlKind::TickBox:
      Tick(id).Caption = caption;
      break;
    case ControlKind::Frame:
    case ControlKind::Label:
      Plain(id).Caption = caption;
      break;
    default:
      throw std::out_of_range("the control shows no caption");
  }
  view_.ControlChanged(id);
}

void Form1::SetBackColor(ControlId id, std::uint32_t color) {
  switch (KindOf(id)) {
    case ControlKind::Window:
      BackColor = color;
      break;
    case ControlKind::TickBox:
      Tick(id).BackColor = color;
      break;
    case ControlKind::Frame:
    case ControlKind::Label:
      Plain(id).BackColor = color;
      break;
    default:
      throw std::out_of_range("the control keeps its colour");
  }
  view_.ControlChanged(id);
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

void Form1::SetTimer1Enabled(bool enabled) {
  if (Timer1.Enabled == enabled) return;
  Timer1.Enabled = enabled;
  view_.Timer1Changed();
}

// Always passed on: the window may have been shown or hidden by others since.
void Form1::SetWindowVisible(bool visible) {
  Visible = visible;
  view_.VisibleChanged();
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
                             ApplicationTitle(), DialogIcon::Exclamation);
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
                             ApplicationTitle(), DialogIcon::Exclamation);
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
