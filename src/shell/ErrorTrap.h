#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "platform/Dialogs.h"

namespace tallowmere {

// The common error trap of the main window's trapped handlers (Form_Load,
// PushButton1_Click, PushButton2_Click, PushButton6_Click and Timer1's tick).
//
// A trapped handler is written as numbered steps run through one ErrorTrap.
// Each step names its line; lines start at 100 and rise by 2, and several steps
// may share one line. When a step fails (throws a std::exception, usually an
// AppError, from the step itself or from any routine it calls), the trap shows
// the "Application Error" box naming the handler and the current line, and the
// handler goes on with the step after the failed one:
//
//   Step  a failed statement          -> the next statement
//   Test  a failed condition          -> the steps it guards, as though it held
//   For   a failed advance of a loop  -> the first step after the loop
//   Step  a failure inside a callee   -> the next statement (the rest of the
//                                        callee is abandoned)
//
// The trap stays armed: every failure gets a box of its own. A failure while
// the box itself is shown is not caught.
//
// Example:
//
//   void Form1::PushButton1_Click() {
//     ErrorTrap trap(platform_.dialogs, "PushButton1_Click");
//     trap.For(100, 0, kLastKeyIndex, [&](int i) {
//       trap.Step(102, [&] { SetKeyBackColor(i, kMarkedColor); });
//       if (trap.Test(104, [&] { return !cmdKey[i].ToolTipText.empty(); }))
//         trap.Step(106, [&] { SetKeyVisible(i, false); });
//     });
//     trap.Step(108, [&] { Check1_Click(); });
//   }
class ErrorTrap {
 public:
  // `handler` is the name the report gives: the handler's own name, or
  // "Timer1" for the timer's tick.
  ErrorTrap(Dialogs& dialogs, std::string_view handler);

  // Begins `line` and runs one statement.
  template <class Statement>
  void Step(int line, Statement&& statement) {
    line_ = line;
    try {
      statement();
    } catch (const std::exception& failure) {
      Report(failure);
    }
  }

  // Begins `line` and evaluates a condition. A failed evaluation counts as
  // true, so the guarded steps run.
  template <class Condition>
  bool Test(int line, Condition&& condition) {
    line_ = line;
    try {
      return condition();
    } catch (const std::exception& failure) {
      Report(failure);
      return true;
    }
  }

  // A loop on `line`: `advance` moves to the next round and returns false
  // when there is none; `body` runs one round. A failed advance ends the loop.
  // Only the first advance begins `line`; later ones run on the line the body
  // reached last. A failure that escapes the body's own steps abandons the
  // rest of that round.
  template <class Advance, class Body>
  void Loop(int line, Advance&& advance, Body&& body) {
    line_ = line;
    for (;;) {
      try {
        if (!advance()) return;
      } catch (const std::exception& failure) {
        Report(failure);
        return;
      }
      try {
        body();
      } catch (const std::exception& failure) {
        Report(failure);
      }
    }
  }

  // A counted loop on `line` over first..last, giving `body` the counter.
  template <class Body>
  void For(int line, int first, int last, Body&& body) {
    int counter = first - 1;
    Loop(
        line, [&] { return ++counter <= last; }, [&] { body(counter); });
  }

 private:
  void Report(const std::exception& failure);

  Dialogs& dialogs_;
  std::string context_;
  int line_ = 0;
};

}  // namespace tallowmere
