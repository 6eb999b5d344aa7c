#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tallowmere {

// The icon windows that Wine's explorer shows in its "Wine System Tray"
// window when the display has no tray of its own.
inline std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  HWND tray = FindWindowW(L"__winex11_standalone_tray", L"Wine System Tray");
  for (HWND child = tray ? GetWindow(tray, GW_CHILD) : nullptr; child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (std::wstring(name) == L"__winex11_tray_icon") icons.push_back(child);
  }
  return icons;
}

// The texts of the tooltip windows now on screen, balloons among them.
inline std::vector<std::wstring> VisibleTooltipTexts() {
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

// Processes this thread's messages until `done` holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 50)),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

}  // namespace tallowmere
