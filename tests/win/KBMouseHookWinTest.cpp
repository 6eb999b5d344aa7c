#include "engine/KBMouseHook.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "CaseName.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32HookCalls.h"
#include "shell/Main.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"

namespace tallowmere::test {
namespace {

// A fixed list, counting how often the hooks read it.
class CountingSource : public BlockListSource {
 public:
  explicit CountingSource(std::string content) : content_(std::move(content)) {}
  std::size_t Read(std::span<char> buffer) noexcept override {
    ++reads;
    const std::size_t n = std::min(buffer.size(), content_.size());
    std::copy_n(content_.data(), n, buffer.data());
    return n;
  }
  std::atomic<int> reads{0};

 private:
  std::string content_;
};

TEST(KBMouseHookWin, InstallsBothHooksThatSeeInputAndRemovesThem) {
  Win32HookCalls hooks;
  CountingSource list("65,513,514,\r\n");
  Win32Dialogs dialogs;
  KBMouseHook::Attach(hooks, list, dialogs);
  InputReceiver window;
  ASSERT_TRUE(window.BringToFront());

  KBMouseHook::HookKeyboard();
  KBMouseHook::HookMouse();
  const HookHandle keyboard = KBMouseHook::KeyboardHookHandle();
  const HookHandle mouse = KBMouseHook::MouseHookHandle();
  EXPECT_NE(keyboard, 0u);
  EXPECT_NE(mouse, 0u);
  EXPECT_NE(keyboard, mouse);

  TapKey('A');
  TapKey('B');
  ClickAt(window.Centre(), MouseButton::Left);
  ClickAt(window.Centre(), MouseButton::Right);
  EXPECT_TRUE(window.WaitFor(WM_KEYUP, 'B'));
  EXPECT_TRUE(window.WaitFor(WM_RBUTTONUP));
  EXPECT_EQ(window.Count(WM_KEYDOWN, 'A'), 0);
  EXPECT_EQ(window.Count(WM_KEYUP, 'A'), 0);
  EXPECT_EQ(window.Count(WM_LBUTTONDOWN), 0);
  EXPECT_EQ(window.Count(WM_LBUTTONUP), 0);
  EXPECT_EQ(window.Count(WM_RBUTTONDOWN), 1);
  EXPECT_GE(list.reads, 8);

  KBMouseHook::UnhookKeyboard();
  KBMouseHook::UnhookMouse();
  EXPECT_EQ(KBMouseHook::KeyboardHookHandle(), keyboard);
  EXPECT_EQ(KBMouseHook::MouseHookHandle(), mouse);
  const int readsBefore = list.reads;
  window.Reset();
  TapKey('A');
  ClickAt(window.Centre(), MouseButton::Left);
  EXPECT_TRUE(window.WaitFor(WM_KEYUP, 'A'));
  EXPECT_TRUE(window.WaitFor(WM_LBUTTONUP));
  EXPECT_EQ(list.reads, readsBefore);
}

// An installation that the system refuses.
class RefusingHookCalls : public Win32HookCalls {
 public:
  HookInstall Install(HookKind) override {
    SetLastError(ERROR_ACCESS_DENIED);
    return {0, GetLastError()};
  }
};

struct ShownBox {
  std::wstring caption;
  std::vector<std::wstring> texts;    // visible static texts
  std::vector<std::wstring> buttons;  // visible buttons
  int icons = 0;                      // visible statics that show an icon
};

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam) {
  auto* box = reinterpret_cast<ShownBox*>(lParam);
  if (!IsWindowVisible(child)) return TRUE;
  wchar_t className[64], text[512];
  GetClassNameW(child, className, 64);
  GetWindowTextW(child, text, 512);
  if (lstrcmpiW(className, L"Button") == 0) {
    box->buttons.push_back(text);
  } else if (lstrcmpiW(className, L"Static") == 0) {
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      if (SendMessageW(child, STM_GETICON, 0, 0) != 0) ++box->icons;
    } else if (text[0] != L'\0') {
      box->texts.push_back(text);
    }
  }
  return TRUE;
}

// Finds the message box of this process, reads it and presses OK; gives up
// after the time-out.
std::optional<ShownBox> AnswerMessageBox(DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < end) {
    struct Search {
      HWND found = nullptr;
    } search;
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
          DWORD pid = 0;
          GetWindowThreadProcessId(hwnd, &pid);
          wchar_t className[16];
          GetClassNameW(hwnd, className, 16);
          if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) &&
              lstrcmpW(className, L"#32770") == 0) {
            reinterpret_cast<Search*>(lParam)->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      ShownBox box;
      wchar_t caption[256];
      GetWindowTextW(search.found, caption, 256);
      box.caption = caption;
      EnumChildWindows(search.found, CollectChild, reinterpret_cast<LPARAM>(&box));
      PostMessageW(search.found, WM_COMMAND, IDOK, 0);
      return box;
    }
    Sleep(20);
  }
  return std::nullopt;
}

struct FailureCase {
  const char* name;
  void (*hook)();
  HookHandle (*handle)();
  const wchar_t* text;
};

class FailedInstallation : public ::testing::TestWithParam<FailureCase> {
 protected:
  void TearDown() override { SetApplicationTitle(); }
};

TEST_P(FailedInstallation, ShowsTheErrorCodeInAPlainBoxUnderTheTitle) {
  RefusingHookCalls hooks;
  CountingSource list("");
  Win32Dialogs dialogs;
  KBMouseHook::Attach(hooks, list, dialogs);
  SetApplicationTitle("Tallowmere under test");

  std::optional<ShownBox> shown;
  std::thread answerer([&] { shown = AnswerMessageBox(10000); });
  GetParam().hook();  // returns once the box is answered
  answerer.join();

  EXPECT_EQ(GetParam().handle(), 0u);
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->caption, L"Tallowmere under test");
  EXPECT_EQ(shown->texts, std::vector<std::wstring>{GetParam().text});
  EXPECT_EQ(shown->buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_EQ(shown->icons, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Hooks, FailedInstallation,
    ::testing::Values(FailureCase{"Keyboard", KBMouseHook::HookKeyboard,
                                  KBMouseHook::KeyboardHookHandle,
                                  L"Failed to install low-level keyboard hook - 5"},
                      FailureCase{"Mouse", KBMouseHook::HookMouse, KBMouseHook::MouseHookHandle,
                                  L"Failed to install mouse hook - 5"}),
    CaseName());

}  // namespace
}  // namespace tallowmere::test
