#include "ui/Form1.h"

#include <algorithm>
#include <stdexcept>

#include "engine/BlockList.h"
#include "platform/AppError.h"
#include "shell/Main.h"

namespace tallowmere {

namespace {

ControlKind KindOf(ControlId id) {
  return id == ControlId::Form1 ? ControlKind::Window : Definition(id).kind;
}

// Form1 keeps the state of tick boxes, of action buttons and of frames and
// labels each in an array of its own, in the order of kControls.
int StoreOf(ControlKind kind) {
  return kind == ControlKind::Label ? static_cast<int>(ControlKind::Frame) : static_cast<int>(kind);
}

std::size_t Slot(ControlId id, ControlKind kind) {
  if (StoreOf(KindOf(id)) != StoreOf(kind)) throw std::out_of_range("not a control of this kind");
  std::size_t slot = 0;
  for (const ControlDef& def : kControls) {
    if (def.id == id) break;
    if (StoreOf(def.kind) == StoreOf(kind)) ++slot;
  }
  return slot;
}

bool IsMouseOption(ControlId id) {
  return std::any_of(kMouseOptions.begin(), kMouseOptions.end(),
                     [&](const MouseOption& option) { return option.box == id; });
}

}  // namespace

Form1::Form1(Platform& platform, FormView& view)
    : Caption(kProductName),
      cSysTray1(platform.tray, true),
      locking(platform.hooks, platform.blockList, platform.input, *this),
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
  for (const ControlDef& def : kControls) {
    if (def.kind == ControlKind::TickBox) Tick(def.id).Caption = def.caption;
    if (def.kind == ControlKind::ActionButton) Action(def.id).Caption = def.caption;
    if (def.kind == ControlKind::Frame || def.kind == ControlKind::Label) {
      Plain(def.id).Caption = def.caption;
    }
  }
  CreateSysTray1();
}

TickBox& Form1::Tick(ControlId id) {
  return ticks_.at(Slot(id, ControlKind::TickBox));
}

ActionButton& Form1::Action(ControlId id) {
  return actions_.at(Slot(id, ControlKind::ActionButton));
}

WindowHandle Form1::hWnd() const {
  return view_.Handle();
}

PlainControl& Form1::Plain(ControlId id) {
  return plains_.at(Slot(id, ControlKind::Frame));
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
  if (IsMouseOption(id)) {
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

Timer& Form1::TimerOf(TimerId id) {
  return id == TimerId::Timer1 ? Timer1 : LockingTimer;
}

void Form1::SetTimerEnabled(TimerId id, bool enabled) {
  Timer& timer = TimerOf(id);
  if (timer.Enabled == enabled) return;
  timer.Enabled = enabled;
  view_.TimerChanged(id);
}

// Always passed on: the window may have been shown or hidden by others since.
void Form1::SetWindowVisible(bool visible) {
  Visible = visible;
  view_.VisibleChanged();
}

void Form1::Check1_Click() {
  // A key counts as marked only in pure green, an option only when ticked
  // (not grayed).
  std::array<ListEntries, kKeyCount> keys;
  for (int i = 0; i <= kLastKeyIndex; ++i) {
    keys[i] = {cmdKey[i].Tag, cmdKey[i].BackColor == kMarkedColor};
  }
  std::array<ListEntries, kMouseOptions.size()> options;
  for (std::size_t i = 0; i < kMouseOptions.size(); ++i) {
    options[i] = {kMouseOptions[i].entries, Tick(kMouseOptions[i].box).Value == 1};
  }
  platform_.files.Replace(BlockListPath(platform_.environment), BlockListContent(keys, options));
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
