#include "win/support/SampleWindow.h"

#include <filesystem>
#include <string>

#include "platform/win32/Gdi.h"
#include "platform/win32/Text.h"
#include "win/support/FileBytes.h"

namespace tallowmere::test {
namespace {

constexpr wchar_t kClassName[] = L"TallowmereE2ESampleWindow";

struct SampleState {
  GdiBrush brush;
  bool ignoreClose;
};

LRESULT CALLBACK SampleProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto* state =
      reinterpret_cast<const SampleState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!state) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, state->brush.Get());
      return 1;
    }
    case WM_CLOSE:
      if (state->ignoreClose) return 0;
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void ReportTemp() {
  wchar_t temp[MAX_PATH * 2] = {};
  const DWORD length = GetEnvironmentVariableW(L"TEMP", temp, MAX_PATH * 2);
  const std::wstring folder(temp, length);
  WriteFileBytes(std::filesystem::path(folder) / kSampleTempReport, Utf8(folder));
}

}  // namespace

int RunSampleWindow(COLORREF colour, bool ignoreClose) {
  ReportTemp();
  SampleState state{GdiBrush(CreateSolidBrush(colour)), ignoreClose};
  WNDCLASSW wc{};
  wc.lpfnWndProc = SampleProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
  const RECT& r = kSampleWindowRect;
  HWND window = CreateWindowExW(0, kClassName, std::wstring(kSampleWindowTitle).c_str(), WS_POPUP,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                wc.hInstance, &state);
  const RECT& c = kSampleChildRect;
  CreateWindowExW(0, L"BUTTON", std::wstring(kSampleChildText).c_str(),
                  WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, c.left, c.top, c.right - c.left,
                  c.bottom - c.top, window, nullptr, wc.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace tallowmere::test
