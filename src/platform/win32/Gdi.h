#pragma once

#include <windows.h>

#include "platform/win32/Owned.h"

namespace tallowmere {

template <class T>
struct GdiObjectTraits {
  using Type = T;
  static T Empty() { return nullptr; }
  static void Release(T object) { DeleteObject(object); }
};
// Owns a GDI object (font, brush, pen, bitmap) and deletes it.
template <class T>
using GdiObject = Owned<GdiObjectTraits<T>>;

using GdiFont = GdiObject<HFONT>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiPen = GdiObject<HPEN>;
using GdiBitmap = GdiObject<HBITMAP>;

// Selects an object into a device context for the lifetime of the scope.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

struct MemoryDCTraits {
  using Type = HDC;
  static HDC Empty() { return nullptr; }
  static void Release(HDC dc) { DeleteDC(dc); }
};
// A memory device context compatible with the screen.
class MemoryDC : public Owned<MemoryDCTraits> {
 public:
  MemoryDC() : Owned(CreateCompatibleDC(nullptr)) {}
};

// The device context of a window (or of the screen for a null window).
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { EndPaint(hwnd_, &ps_); }
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

}  // namespace tallowmere
