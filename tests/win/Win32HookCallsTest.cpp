#include "platform/win32/Win32HookCalls.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "CaseName.h"
#include "platform/win32/Win32Dialogs.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"
#include "win/support/PassedOnInput.h"

namespace tallowmere::test {
namespace {

// Keeps every decoded event; swallows the key A and the left button. The
// hooks' thread records, the test reads.
class RecordingProcedures : public HookProcedures {
 public:
  std::vector<KeyEvent> Keys() {
    const std::lock_guard lock(mutex_);
    return keys_;
  }
  std::vector<MouseEvent> Mouse() {
    const std::lock_guard lock(mutex_);
    return mouse_;
  }
  void Clear() {
    const std::lock_guard lock(mutex_);
    keys_.clear();
    mouse_.clear();
  }
  bool KeyboardProc(const KeyEvent& event) override {
    const std::lock_guard lock(mutex_);
    keys_.push_back(event);
    return event.vkCode == 'A';
  }
  bool MouseProc(const MouseEvent& event) override {
    const std::lock_guard lock(mutex_);
    mouse_.push_back(event);
    return event.message == WM_LBUTTONDOWN || event.message == WM_LBUTTONUP;
  }

 private:
  std::mutex mutex_;
  std::vector<KeyEvent> keys_;
  std::vector<MouseEvent> mouse_;
};

std::vector<std::string> Described(const std::vector<KeyEvent>& events) {
  std::vector<std::string> described;
  for (const KeyEvent& e : events) {
    described.push_back(std::string(1, static_cast<char>(e.vkCode)) + (e.down ? " down" : " up") +
                        (e.injected ? " injected" : ""));
  }
  return described;
}

// The injected button events; placing the pointer also moves it.
std::vector<std::uint32_t> Buttons(const std::vector<MouseEvent>& events) {
  std::vector<std::uint32_t> messages;
  for (const MouseEvent& e : events) {
    if (e.message != WM_MOUSEMOVE && e.injected) messages.push_back(e.message);
  }
  return messages;
}

// Another program's hook, called after the program's since it came first: it
// swallows C, and the program's hook must pass that answer on.
LRESULT CALLBACK SwallowC(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION && reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode == 'C')
    return 1;
  return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

TEST(Win32HookCalls, DecodeEachEventAskTheProceduresAndChainWhatTheyPass) {
  Win32HookCalls hooks;
  RecordingProcedures procedures;
  InputReceiver window;
  ASSERT_TRUE(window.BringToFront());
  const HHOOK further = SetWindowsHookExW(WH_KEYBOARD_LL, SwallowC, GetModuleHandleW(nullptr), 0);

  const HookInstall keyboard = hooks.Install(HookKind::Keyboard, procedures);
  const HookInstall mouse = hooks.Install(HookKind::Mouse, procedures);
  EXPECT_NE(keyboard.handle, 0u);
  EXPECT_NE(mouse.handle, 0u);
  EXPECT_NE(keyboard.handle, mouse.handle);

  TapKey('A');
  TapKey('C');
  TapKey('B');
  ClickAt(window.Centre(), MouseButton::Left);
  ClickAt(window.Centre(), MouseButton::Right);
  EXPECT_TRUE(window.WaitFor(WM_KEYUP, 'B'));
  EXPECT_TRUE(window.WaitFor(WM_RBUTTONUP));
  EXPECT_EQ(window.Count(WM_KEYDOWN, 'A'), 0);
  EXPECT_EQ(window.Count(WM_KEYUP, 'A'), 0);
  EXPECT_EQ(window.Count(WM_KEYDOWN, 'C'), 0);
  EXPECT_EQ(window.Count(WM_LBUTTONDOWN), 0);
  EXPECT_EQ(window.Count(WM_LBUTTONUP), 0);
  EXPECT_EQ(window.Count(WM_RBUTTONDOWN), 1);
  EXPECT_EQ(Described(procedures.Keys()),
            (std::vector<std::string>{"A down injected", "A up injected", "C down injected",
                                      "C up injected", "B down injected", "B up injected"}));
  EXPECT_EQ(
      Buttons(procedures.Mouse()),
      (std::vector<std::uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}));

  hooks.Remove(keyboard.handle);
  hooks.Remove(mouse.handle);
  UnhookWindowsHookEx(further);
  procedures.Clear();
  window.Reset();
  TapKey('A');
  ClickAt(window.Centre(), MouseButton::Left);
  EXPECT_TRUE(window.WaitFor(WM_KEYUP, 'A'));
  EXPECT_TRUE(window.WaitFor(WM_LBUTTONUP));
  EXPECT_TRUE(procedures.Keys().empty());
  EXPECT_TRUE(procedures.Mouse().empty());
}

// The thread that installed the hooks may be busy for a while without taking
// a message, as a save is while it retries a held list: keys sent meanwhile
// by another thread are decided all the same, the listed one swallowed, the
// other passed on.
TEST(Win32HookCalls, KeysAreDecidedWhileTheInstallingThreadIsBusy) {
  constexpr ULONG_PTR kTag = 0x42550000;
  // In first, so called after the program's hooks: it sees what they pass.
  PassedOnInput passed(kTag);
  Win32HookCalls hooks;
  RecordingProcedures procedures;
  ASSERT_NE(hooks.Install(HookKind::Keyboard, procedures).handle, 0u);

  // The sender waits for the hooks' answers: a thread apart from the busy one.
  std::thread sender([] {
    for (const WORD key : {WORD{'A'}, WORD{'B'}}) {
      PressKey(key, kTag);
      ReleaseKey(key, kTag);
    }
  });
  const ULONGLONG end = GetTickCount64() + 10000;
  while (passed.KeysUp('B') == 0 && GetTickCount64() < end) Sleep(20);
  sender.join();

  EXPECT_EQ(passed.KeysUp('B'), 1) << "the key B waited for the busy thread";
  EXPECT_EQ(passed.KeysDown('A') + passed.KeysUp('A'), 0) << "the listed key A got through";
}

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

// The box of a failed hook installation: its text under the caption, OK
// alone, and no icon; the box of the start-up options carries the exclamation.
class Win32DialogsBox : public ::testing::TestWithParam<DialogIcon> {};

TEST_P(Win32DialogsBox, ShowsTextAndCaptionWithASingleOk) {
  std::optional<ShownBox> shown;
  std::thread answerer([&] { shown = AnswerMessageBox(10000); });
  // Returns once the box is answered.
  Win32Dialogs().Show("Failed to install mouse hook - 5", "Tallowmere under test", GetParam());
  answerer.join();

  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->caption, L"Tallowmere under test");
  EXPECT_EQ(shown->texts, std::vector<std::wstring>{L"Failed to install mouse hook - 5"});
  EXPECT_EQ(shown->buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_EQ(shown->icons, GetParam() == DialogIcon::None ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Icons, Win32DialogsBox,
                         ::testing::Values(DialogIcon::None, DialogIcon::Exclamation));

}  // namespace
}  // namespace tallowmere::test
