#include "ui/win32/KeyPictures.h"

#include <initializer_list>
#include <iterator>

#include "engine/KeyTable.h"
#include "ui/Form1Layout.h"

namespace tallowmere {

namespace {

constexpr int kTwipsPerPixel = 15;

// Scales a point given on the picture's own grid (w x h) into the box.
POINT Scaled(const RECT& box, int w, int h, int x, int y) {
  return {box.left + MulDiv(x, box.right - box.left, w),
          box.top + MulDiv(y, box.bottom - box.top, h)};
}

void FillScaled(HDC dc, const RECT& box, int w, int h, RECT grid, COLORREF color) {
  const POINT from = Scaled(box, w, h, grid.left, grid.top);
  const POINT to = Scaled(box, w, h, grid.right, grid.bottom);
  const RECT r{from.x, from.y, to.x, to.y};
  GdiBrush brush(CreateSolidBrush(color));
  FillRect(dc, &r, brush.Get());
}

void DrawKeyCap(HDC dc, const RECT& r) {
  GdiBrush cap(CreateSolidBrush(kKeyCapColor));
  GdiPen edge(CreatePen(PS_SOLID, 1, RGB(24, 24, 24)));
  SelectScope brush(dc, cap.Get());
  SelectScope pen(dc, edge.Get());
  RoundRect(dc, r.left, r.top, r.right, r.bottom, 4, 4);
  GdiPen shade(CreatePen(PS_SOLID, 1, RGB(150, 150, 150)));
  SelectScope shadePen(dc, shade.Get());
  MoveToEx(dc, r.left + 2, r.bottom - 2, nullptr);
  LineTo(dc, r.right - 2, r.bottom - 2);
}

}  // namespace

void DrawWindowsLogo(HDC dc, const RECT& box) {
  // Four panes on a 22 x 19 grid.
  constexpr int w = kWindowsLogoWidth, h = kWindowsLogoHeight;
  FillScaled(dc, box, w, h, {1, 1, 10, 9}, RGB(0xF2, 0x50, 0x22));
  FillScaled(dc, box, w, h, {12, 1, 21, 9}, RGB(0x7F, 0xBA, 0x00));
  FillScaled(dc, box, w, h, {1, 10, 10, 18}, RGB(0x00, 0xA4, 0xEF));
  FillScaled(dc, box, w, h, {12, 10, 21, 18}, RGB(0xFF, 0xB9, 0x00));
}

void DrawMenuSymbol(HDC dc, const RECT& box) {
  // A drop-down menu with four entries and a pointer on it, on an 18 x 18 grid.
  constexpr int n = kMenuSymbolSize;
  FillScaled(dc, box, n, n, {1, 1, 14, 17}, RGB(32, 32, 32));
  FillScaled(dc, box, n, n, {2, 2, 13, 16}, RGB(255, 255, 255));
  for (int y : {4, 7, 10, 13}) FillScaled(dc, box, n, n, {4, y, 11, y + 1}, RGB(32, 32, 32));
  const POINT arrow[] = {Scaled(box, n, n, 10, 8),  Scaled(box, n, n, 10, 17),
                         Scaled(box, n, n, 12, 15), Scaled(box, n, n, 14, 18),
                         Scaled(box, n, n, 16, 17), Scaled(box, n, n, 14, 14),
                         Scaled(box, n, n, 17, 14)};
  GdiBrush white(CreateSolidBrush(RGB(255, 255, 255)));
  GdiPen black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  SelectScope brush(dc, white.Get());
  SelectScope pen(dc, black.Get());
  Polygon(dc, arrow, static_cast<int>(std::size(arrow)));
}

RECT KeyRectInPicture(int index) {
  const KeyDef& key = kKeyTable[index];
  const ControlDef& image = Definition(ControlId::Image1);
  const int left = key.left - image.left, top = key.top - image.top;
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, (left + key.width) / kTwipsPerPixel,
          (top + key.height) / kTwipsPerPixel};
}

GdiBitmap CreateKeyboardPicture() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kKeyboardPictureWidth;
  info.bmiHeader.biHeight = -kKeyboardPictureHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture) return picture;

  MemoryDC dc;
  SelectScope select(dc.Get(), picture.Get());
  const RECT all{0, 0, kKeyboardPictureWidth, kKeyboardPictureHeight};
  GdiBrush body(CreateSolidBrush(kKeyboardBodyColor));
  FillRect(dc.Get(), &all, body.Get());
  for (int i = 0; i <= kLastKeyIndex; ++i) {
    const RECT r = KeyRectInPicture(i);
    DrawKeyCap(dc.Get(), r);
    const Picture kind = kKeyTable[i].picture;
    if (kind == Picture::None) continue;
    const int w = kind == Picture::WindowsLogo ? kWindowsLogoWidth : kMenuSymbolSize;
    const int h = kind == Picture::WindowsLogo ? kWindowsLogoHeight : kMenuSymbolSize;
    const int x = (r.left + r.right - w) / 2, y = (r.top + r.bottom - h) / 2;
    const RECT box{x, y, x + w, y + h};
    if (kind == Picture::WindowsLogo) {
      DrawWindowsLogo(dc.Get(), box);
    } else {
      DrawMenuSymbol(dc.Get(), box);
    }
  }
  GdiFlush();
  return picture;
}

}  // namespace tallowmere
