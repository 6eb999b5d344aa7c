#include "win/support/PassedOnInput.h"

#include <stdexcept>

#include "win/support/Owned.h"
#include "win/support/Wait.h"

namespace tallowmere::test {
namespace {

// A hook procedure is told nothing about the object it serves.
std::atomic<PassedOnInput*> current{nullptr};

}  // namespace

PassedOnInput::PassedOnInput(ULONG_PTR tag) : tag_(tag) {
  PassedOnInput* none = nullptr;
  if (!current.compare_exchange_strong(none, this)) {
    throw std::logic_error("only one PassedOnInput at a time");
  }
  thread_ = std::thread([this] { Run(); });
  if (!WaitFor([this] { return state_ != 0; }) || state_ != 1) {
    if (threadId_ != 0) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    current = nullptr;
    throw std::runtime_error("cannot put in the counting hooks");
  }
}

PassedOnInput::~PassedOnInput() {
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  current = nullptr;
}

int PassedOnInput::Mouse(UINT message, bool tagged) const {
  if (message < WM_MOUSEFIRST || message > WM_MOUSEHWHEEL) return 0;
  return mouse_[tagged ? 1 : 0][message - WM_MOUSEFIRST];
}

void PassedOnInput::Run() {
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the first WM_QUIT
  threadId_ = GetCurrentThreadId();
  const OwnedHook keyboard(
      SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, GetModuleHandleW(nullptr), 0));
  const OwnedHook mouse(SetWindowsHookExW(WH_MOUSE_LL, MouseProc, GetModuleHandleW(nullptr), 0));
  state_ = keyboard && mouse ? 1 : -1;
  if (state_ != 1) return;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
}

LRESULT CALLBACK PassedOnInput::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  PassedOnInput* self = current;
  if (code == HC_ACTION && self) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (event->dwExtraInfo == self->tag_) {
      KeyCounts& counts = self->keys_[event->vkCode & 0xFF];
      ++(wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN ? counts.down : counts.up);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK PassedOnInput::MouseProc(int code, WPARAM wParam, LPARAM lParam) {
  PassedOnInput* self = current;
  if (code == HC_ACTION && self && wParam >= WM_MOUSEFIRST && wParam <= WM_MOUSEHWHEEL) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    ++self->mouse_[event->dwExtraInfo == self->tag_ ? 1 : 0][wParam - WM_MOUSEFIRST];
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tallowmere::test
