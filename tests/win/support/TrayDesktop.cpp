#include "win/support/TrayDesktop.h"

#include "win/support/WindowQueries.h"

namespace tallowmere::test {

std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  HWND tray = FindWindowW(L"__winex11_standalone_tray", L"Wine System Tray");
  for (HWND child = tray ? GetWindow(tray, GW_CHILD) : nullptr; child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == L"__winex11_tray_icon") icons.push_back(child);
  }
  return icons;
}

std::vector<std::wstring> VisibleTooltipTexts() {
  std::vector<std::wstring> texts;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); w != nullptr;
       w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr)) {
    if (!IsWindowVisible(w)) continue;
    wchar_t text[512] = {};
    SendMessageW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    texts.emplace_back(text);
  }
  return texts;
}

}  // namespace tallowmere::test
