#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "engine/KeyTable.h"
#include "ui/Form1Layout.h"
#include "ui/win32/Dpi.h"

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
// BN_CLICKED (or BN_DOUBLECLICKED) to the main window, onMouseMove when it
// reports a pointer move itself, as the program's push buttons do.
struct Wnd {
  virtual ~Wnd() = default;
  virtual void Create(const CreateArgs& args) = 0;

  void SetText(const std::wstring& text);
  std::wstring Text() const;
  void SetVisible(bool visible);
  void SetBounds(const RECT& bounds);
  void SetFont(HFONT font);
  void Invalidate();
  // The value a tick box shows (0 unticked, 1 ticked, 2 grayed) and the
  // bitmap a picture shows, which stays its owner's; other controls ignore
  // them.
  void SetValue(int value);
  void SetPicture(HBITMAP picture);

  HWND hwnd = nullptr;
  std::function<void()> onClick;
  std::function<void(const MouseMoveArgs&)> onMouseMove;

 protected:
  // `object` serves the window of one of the program's own classes.
  void CreateChild(const wchar_t* className, DWORD style, const CreateArgs& args,
                   void* object = nullptr);
};

// A control of a kind of the window's table, not yet created; the window
// itself (ControlKind::Window) is none.
std::unique_ptr<Wnd> MakeControl(ControlKind kind);

// What a key button shows: its face, its picture and caption in the key font,
// sized for the window's DPI.
struct KeyFace {
  HBRUSH back = nullptr;
  Picture picture = Picture::None;
  std::wstring caption;
  HFONT font = nullptr;
  int dpi = kDefaultDpi;
};

// A key of the on-screen keyboard: a system button that its owner draws.
struct KeyButtonWnd : Wnd {
  void Create(const CreateArgs& args) override;
  // Draws the key as WM_DRAWITEM asks, raised or pushed.
  void Draw(const DRAWITEMSTRUCT& item, const KeyFace& face) const;
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
