#include "platform/win32/Win32SkinFramework.h"

#include <commctrl.h>

#include <exception>

#include "platform/AppError.h"
#include "platform/win32/Text.h"

namespace tallowmere {

namespace {

constexpr UINT_PTR kSubclassId = 0x534B494E;  // one subclass per window, told apart from others'

bool IsClass(HWND hwnd, const wchar_t* name) {
  wchar_t buffer[32];
  return GetClassNameW(hwnd, buffer, 32) > 0 && lstrcmpiW(buffer, name) == 0;
}

// Whether the skin gives this control its colours.
bool TakesSkin(HWND control) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (IsClass(control, L"Static")) {
    switch (style & SS_TYPEMASK) {
      case SS_LEFT:
      case SS_CENTER:
      case SS_RIGHT:
      case SS_SIMPLE:
      case SS_LEFTNOWORDWRAP:
        return true;
      default:
        return false;  // images, rectangles and frames drawn by the system
    }
  }
  if (IsClass(control, L"Edit")) return false;
  return true;
}

}  // namespace

Win32SkinFramework::~Win32SkinFramework() {
  Detach();
}

void Win32SkinFramework::LoadSkin(const std::string& path, const std::string& scheme) {
  if (!scheme.empty()) throw AppError("The skin file has no colour scheme \"" + scheme + "\"");
  const SkinColors colors = ParseSkinFile(files_.ReadAll(path));
  GdiBrush face(CreateSolidBrush(colors.face));
  if (!face) throw AppError(SystemErrorText(GetLastError()));
  colors_ = colors;
  face_ = std::move(face);
  Redraw();
}

void Win32SkinFramework::SetOptions(std::int32_t flags) {
  options_ = flags;
  Redraw();
}

void Win32SkinFramework::SetSkinText(bool on) {
  skinText_ = on;
  Redraw();
}

void Win32SkinFramework::SetSkinBackground(bool on) {
  skinBackground_ = on;
  Redraw();
}

void Win32SkinFramework::ApplyWindow(std::int32_t handle) {
  // Window handles are sign-extended 32-bit values in a 64-bit process.
  const HWND hwnd = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
  if (!IsWindow(hwnd)) throw AppError(SystemErrorText(ERROR_INVALID_WINDOW_HANDLE));
  if (!colors_) throw AppError("No skin is loaded");
  if (hwnd != window_) {
    Detach();
    if (!SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
      throw AppError(SystemErrorText(GetLastError()));
    }
    window_ = hwnd;
  }
  Redraw();
}

LRESULT CALLBACK Win32SkinFramework::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  try {
    return reinterpret_cast<Win32SkinFramework*>(self)->HandleMessage(hwnd, message, wParam,
                                                                      lParam);
  } catch (const std::exception&) {
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
}

LRESULT Win32SkinFramework::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      if (const auto brush =
              OnCtlColor(hwnd, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return *brush;
      }
      break;
    case WM_ERASEBKGND:
      if (OnEraseBackground(hwnd, reinterpret_cast<HDC>(wParam))) return 1;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

std::optional<LRESULT> Win32SkinFramework::OnCtlColor(HWND hwnd, HDC dc, HWND control) {
  if (!(options_ & kSkinChildControls) || !TakesSkin(control)) return std::nullopt;
  // The window's own handling sets the text colour and more; the skin then
  // overrides what it owns.
  DefSubclassProc(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                  reinterpret_cast<LPARAM>(control));
  SetBkColor(dc, colors_->face);
  if (skinText_ && colors_->text) SetTextColor(dc, *colors_->text);
  return reinterpret_cast<LRESULT>(face_.Get());
}

bool Win32SkinFramework::OnEraseBackground(HWND hwnd, HDC dc) {
  if (!skinBackground_) return false;
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, face_.Get());
  return true;
}

void Win32SkinFramework::Detach() {
  if (!window_) return;
  RemoveWindowSubclass(window_, SubclassProc, kSubclassId);
  InvalidateRect(window_, nullptr, TRUE);
  window_ = nullptr;
}

void Win32SkinFramework::Redraw() {
  if (window_)
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace tallowmere
