#pragma once

#include <windows.h>

#include <optional>

#include "platform/Files.h"
#include "platform/SkinControl.h"
#include "platform/SkinFile.h"
#include "platform/win32/Gdi.h"

namespace tallowmere {

// Our theming layer. Applied to a window, it takes over the colours that the
// window gives its controls: every control that asks for them with
// WM_CTLCOLORSTATIC (static text, tick boxes, option buttons, group boxes,
// frames; not images nor read-only edit boxes) gets the skin's face colour,
// and with the background switch on the window's own background gets it too.
// It works as a subclass of the window, removed when the window goes or the
// skin is applied elsewhere.
class Win32SkinFramework : public SkinControl {
 public:
  explicit Win32SkinFramework(Files& files) : files_(files) {}
  ~Win32SkinFramework() override;
  Win32SkinFramework(const Win32SkinFramework&) = delete;
  Win32SkinFramework& operator=(const Win32SkinFramework&) = delete;

  void LoadSkin(const std::string& path, const std::string& scheme) override;
  std::int32_t Options() override { return options_; }
  void SetOptions(std::int32_t flags) override;
  void SetSkinText(bool on) override;
  void SetSkinBackground(bool on) override;
  void ApplyWindow(std::int32_t handle) override;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> OnCtlColor(HWND hwnd, HDC dc, HWND control);
  bool OnEraseBackground(HWND hwnd, HDC dc);
  void Detach();
  void Redraw();

  Files& files_;
  std::optional<SkinColors> colors_;
  GdiBrush face_;
  std::int32_t options_ = 0;
  bool skinText_ = false;
  bool skinBackground_ = false;
  HWND window_ = nullptr;
};

}  // namespace tallowmere
