#include "ui/Form1.h"

#include <string>
#include <string_view>
#include <vector>

#include "engine/BlockList.h"
#include "platform/ScopeExit.h"
#include "shell/Main.h"

namespace tallowmere {

namespace {

// GetAsyncKeyState of a key that is down and was pressed since the previous
// query. Held keys read 0x8000 and keys pressed and released between two polls
// read 0x0001; neither counts.
constexpr std::uint16_t kNewlyPressed = 0x8001, kDown = 0x8000;
// The keys of the way out as the poll reads them: Shift, either Shift, Esc.
constexpr int kShift = 0x10, kLeftShift = 0xA0, kRightShift = 0xA1, kEscape = 0x1B;
constexpr int kLastKeyCode = 255;

}  // namespace

void Form1::PushButton6_Click() {
  ErrorTrap trap(platform_.dialogs, "PushButton6_Click");
  if (trap.Test(100, [&] { return !locking.IsOn(); })) {
    trap.Step(102, [&] { locking.Start(HookKind::Keyboard); });
    trap.Step(104, [&] { locking.Start(HookKind::Mouse); });
    trap.Step(106, [&] { SavedCaption = Action(ControlId::PushButton6).Caption; });
    trap.Step(108, [&] { SetCaption(ControlId::PushButton6, LockingCaption()); });
    trap.Step(110, [&] { SetTimerEnabled(TimerId::Timer1, false); });
    trap.Step(112, [&] { SetWindowVisible(false); });
    // Hidden, the window can tell the way out only through its icon.
    cSysTray1.TrayTip(std::string(kLockingTrayTip));
    cSysTray1.TrayIcon(platform_.resources.LockedIcon());
    if (!lockingNoticeShown_) {
      lockingNoticeShown_ = true;
      cSysTray1.ShowBalloon(kLockingNotice, std::string(kProductName), 0, false);
    }
  } else {
    cSysTray1.TrayTip(std::string(kProductName));
    cSysTray1.TrayIcon(platform_.resources.ProgramIcon());
    trap.Step(114, [&] { locking.Stop(HookKind::Keyboard); });
    trap.Step(116, [&] { locking.Stop(HookKind::Mouse); });
    trap.Step(118, [&] { SetCaption(ControlId::PushButton6, LockingCaption()); });
    trap.Step(120, [&] { SetTimerEnabled(TimerId::Timer1, true); });
  }
  // Whatever the switch did to Timer1, the poll runs exactly while the main
  // window is active.
  ActivationChanged();
}

std::string Form1::LockingCaption() const {
  return locking.IsOn() ? std::string(kStopCaption) : SavedCaption;
}

void Form1::HookInstallFailed(HookKind kind, std::uint32_t error) {
  const std::string_view text =
      kind == HookKind::Keyboard ? kKeyboardInstallFailure : kMouseInstallFailure;
  platform_.dialogs.Show(std::string(text) + std::to_string(error), ApplicationTitle(),
                         DialogIcon::None);
}

void Form1::StartLockingRequested() {
  if (!locking.IsOn()) PushButton6_Click();
}

void Form1::StopLockingRequested() {
  if (!locking.IsOn()) return;
  PushButton6_Click();
  // The way out's keys are still held when the window comes back: they mark
  // nothing until each has been released.
  for (const int code : {kShift, kLeftShift, kRightShift, kEscape}) heldFromWayOut_.set(code);
  cSysTray1_MouseUp(kLeftButton, 0);
}

bool Form1::HeldFromWayOut(int code, std::uint16_t state) {
  if (!heldFromWayOut_.test(code)) return false;
  if ((state & kDown) != 0) return true;
  heldFromWayOut_.reset(code);
  return false;
}

void Form1::LockingTimer_Timer() {
  locking.Tick();
}

void Form1::TimerTick(TimerId id) {
  if (id == TimerId::Timer1) {
    Timer1_Timer();
  } else {
    LockingTimer_Timer();
  }
}

void Form1::Timer1_Timer() {
  // The poll's report box runs a message loop; a tick that arrives there must
  // not start a second poll inside the first.
  if (polling_) return;
  polling_ = true;
  const ScopeExit endOfPoll([this] { polling_ = false; });
  // Only a key-down event sets a key's pressed-since bit. Without any input
  // since the last reading of every key began, no code can read as newly
  // pressed, and the 255 queries, costly under Wine, would find nothing.
  if (!InputSinceLastReading()) return;
  lastReading_ = platform_.input.Now();

  ErrorTrap trap(platform_.dialogs, "Timer1");
  trap.For(100, 1, kLastKeyCode, [&](int code) {
    std::uint16_t state = 0;
    bool newlyPressed = false;
    trap.Step(102, [&] { state = platform_.input.AsyncKeyState(code); });
    trap.Step(104, [&] {
      // Read for every code, so that a release of the way out's keys is seen.
      const bool held = HeldFromWayOut(code, state);
      newlyPressed = state == kNewlyPressed && !held;
    });
    if (trap.Test(106, [&] { return newlyPressed; })) {
      trap.For(110, 0, kLastKeyIndex, [&](int i) {
        std::vector<std::string_view> pieces;
        trap.Step(112, [&] { pieces = AllPieces(cmdKey[i].Tag); });
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
        return LeadingNumber(codeText) == code && key.BackColor == kUnmarkedColor;
      })) {
    trap.Step(firstLine + 2, [&] { SetKeyBackColor(index, kMarkedColor); });
    if (trap.Test(firstLine + 4, hasPicture)) {
      trap.Step(firstLine + 6, [&] { SetKeyVisible(index, false); });
    }
  } else if (trap.Test(firstLine + 8, [&] {
               return LeadingNumber(codeText) == code && key.BackColor == kMarkedColor;
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
    lastReading_ = platform_.input.Now();
    for (int code = 1; code <= kLastKeyCode; ++code) platform_.input.AsyncKeyState(code);
  }
  SetTimerEnabled(TimerId::Timer1, active);
}

bool Form1::InputSinceLastReading() {
  if (!lastReading_) return true;
  // The clock wraps around; the difference of two of its times does not.
  const auto sinceReading =
      static_cast<std::int32_t>(platform_.input.LastInputTime() - *lastReading_);
  return sinceReading >= 0;
}

}  // namespace tallowmere
