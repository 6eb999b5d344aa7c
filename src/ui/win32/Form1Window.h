#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/win32/Gdi.h"
#include "ui/Form1.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Dpi.h"

namespace tallowmere {

// The main window on screen: a top-level window with a child window for every
// control of Form1, laid out in twips at the window's DPI. Each message goes
// to its own OnXxx member; the window procedure is a trampoline that reports a
// failure of a handler and never lets it pass back into Windows.
class Form1Window final : public FormView {
 public:
  explicit Form1Window(Platform& platform);
  ~Form1Window() override;
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;

  // Creates the window and all its controls, hidden and centred on the screen.
  // Throws AppError when Windows refuses a window.
  void Create();
  void Show(int showCommand);

  // Another start of the program finds the window by its class, hidden or
  // not, and sends it this registered message to bring it back.
  static constexpr wchar_t kClassName[] = L"TallowmereForm1";
  static UINT AnotherStartMessage();

  HWND hwnd() const { return hwnd_; }
  int dpi() const { return dpi_; }
  Form1& form() { return form_; }

  // The child window of a control of the tables, to wire its events through
  // its onClick and onMouseMove members; ControlId::Form1 has none.
  Wnd& Control(ControlId id);

  // Child window identifiers: controls from kFirstControlId in the order of
  // ControlId, key buttons from kFirstKeyId in index order.
  static constexpr int kFirstControlId = 100;
  static constexpr int kFirstKeyId = 1000;

  void KeyChanged(int index) override;
  void ControlChanged(ControlId id) override;
  void VisibleChanged() override;
  void TimerChanged(TimerId id) override;
  void WindowStateChanged() override;
  void IconChanged() override;
  void TakeFocus() override;
  void CloseWindow() override;
  void MousePointerChanged() override;
  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(hwnd_); }

  std::array<KeyButtonWnd, kKeyCount> cmdKey;
  // Shows the ToolTipText of the key buttons that have one.
  ToolTipWnd keyTips;

  // Runs when the window is destroyed; the program ends its message loop here.
  std::function<void()> onDestroyed;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  LRESULT OnCtlColor(HDC dc, HWND control);
  void OnEraseBackground(HDC dc);
  bool OnSetCursor(HWND under, UINT hitTest, UINT mouseMessage);
  void MouseMovedOver(HWND under);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnTimer(UINT_PTR id);
  void OnSize(WPARAM sizeType);
  void OnClose();
  void OnDestroy();

  void CreateControls();
  void WireEvents();
  void CreateFonts();
  RECT PlaceOf(const ControlDef& def) const;
  RECT PlaceOf(const KeyDef& key) const;
  HFONT FontOf(const ControlDef& def) const;
  // Places every control and sizes the window for dpi_, with fonts for it.
  void Layout();
  void SizeWindow();
  Wnd* FindChild(int id);
  std::uint32_t BackColorOf(HWND control);
  // The cursor of the window's pointer setting: the mouse icon for the custom
  // setting when there is one, otherwise the arrow.
  HCURSOR PointerCursor() const;
  HBRUSH Brush(COLORREF color);

  Platform& platform_;
  Form1 form_;
  // The controls of kControls, in its order.
  std::array<std::unique_ptr<Wnd>, kControls.size()> controls_;
  HWND hwnd_ = nullptr;
  int dpi_ = kDefaultDpi;
  GdiFont windowFont_, actionFont_, keyFont_;
  GdiBitmap keyboardPicture_;
  std::map<COLORREF, GdiBrush> brushes_;
};

}  // namespace tallowmere
