#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/win32/PushButton.h"

namespace tallowmere {

// What every child control is created from.
struct CreateArgs {
  HWND parent = nullptr;
  int id = 0;
  std::wstring text;
  RECT bounds{};  // pixels in the parent's client area
  HFONT font = nullptr;
};

struct MouseMoveArgs {
  int button = 0;  // 1 left, 2 right, 4 middle
  int shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt
  int x = 0, y = 0;
};

// A child window of the main window: a thin wrapper around its HWND. The
// window destroys it with its parent. onClick runs when the control reports
// BN_CLICKED (or BN_DOUBLECLICKED) to the main window.
struct Wnd {
  virtual ~Wnd() = default;
  virtual void Create(const CreateArgs& args) = 0;

  void SetText(const std::wstring& text);
  std::wstring Text() const;
  void SetVisible(bool visible);
  void SetBounds(const RECT& bounds);
  void SetFont(HFONT font);
  void Invalidate();

  HWND hwnd = nullptr;
  std::function<void()> onClick;

 protected:
  // `object` serves the window of one of the program's own classes.
  void CreateChild(const wchar_t* className, DWORD style, const CreateArgs& args,
                   void* object = nullptr);
};

// A container with a caption, drawn as a group box.
struct FrameWnd : Wnd {
  void Create(const CreateArgs& args) override;

 private:
  HFONT font_ = nullptr;  // the caption's, kept by the window
};

// Static text. It takes the pointer (SS_NOTIFY), so a move over it does not
// reach the frame beneath.
struct LabelWnd : Wnd {
  void Create(const CreateArgs& args) override;
};

// A bitmap stretched to the control's size; the owner keeps the bitmap.
struct PictureWnd : Wnd {
  void Create(const CreateArgs& args) override;
  void SetPicture(HBITMAP picture);

 private:
  HBITMAP picture_ = nullptr;  // kept by the window
};

// A tick box that never ticks itself: a click only reports, and the window
// shows the value it is given (0 unticked, 1 ticked, 2 grayed).
struct TickBoxWnd : Wnd {
  void Create(const CreateArgs& args) override;
  void SetValue(int value);
};

// A key of the on-screen keyboard: a system button that its owner draws.
struct KeyButtonWnd : Wnd {
  void Create(const CreateArgs& args) override;
};

// The program's own push button, which also reports pointer moves.
struct PushButtonWnd : Wnd {
  void Create(const CreateArgs& args) override;
  std::function<void(const MouseMoveArgs&)> onMouseMove;

 private:
  PushButtonState state_;  // kept by the window
};

// A plain system push button.
struct CommandButtonWnd : Wnd {
  void Create(const CreateArgs& args) override;
};

// The system's tool tip window: shows a text while the pointer rests on a tool.
struct ToolTipWnd {
  void Create(HWND owner);
  // Adds a child window as a tool with its text.
  void Add(HWND tool, const std::wstring& text);

  HWND hwnd = nullptr;
};

// Registers the window classes of the program's own controls.
void RegisterControlClasses(HINSTANCE instance);

}  // namespace tallowmere
