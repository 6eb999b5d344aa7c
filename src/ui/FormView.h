#pragma once

#include "platform/WindowHandle.h"
#include "ui/Form1Layout.h"

namespace tallowmere {

// Form1's timers.
enum class TimerId { Timer1, LockingTimer };
struct Timer {
  int Interval;  // milliseconds
  bool Enabled;
};

// What shows Form1 on screen. Form1 changes a property, then tells the view
// which control to bring up to date.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void KeyChanged(int index) = 0;         // BackColor or Visible of a key button
  virtual void ControlChanged(ControlId id) = 0;  // caption, value, visibility or colour
  virtual void VisibleChanged() = 0;              // Visible of the main window
  virtual void TimerChanged(TimerId id) = 0;      // Interval or Enabled of a timer
  virtual void WindowStateChanged() = 0;          // WindowState of the main window
  virtual void IconChanged() = 0;                 // Icon of the main window
  virtual void MousePointerChanged() = 0;         // MousePointer or MouseIcon of the main window
  virtual void TakeFocus() = 0;                   // gives the main window the input focus
  virtual void CloseWindow() = 0;                 // destroys the main window
  virtual WindowHandle Handle() const = 0;        // the main window's handle
};

}  // namespace tallowmere
