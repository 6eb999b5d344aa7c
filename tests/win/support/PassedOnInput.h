#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <thread>

namespace tallowmere::test {

// Low-level keyboard and mouse hooks of the test process, on a thread of
// their own, that count every event reaching them. Put in before another
// program's hooks, they are called after those (Windows calls the newest hook
// first), so they see exactly the input that the other program's hooks pass
// on to the rest of the desktop. Events are counted apart by whether their
// extra information carries the tag, so that a stream of tagged input can be
// told from the clicks of a test.
class PassedOnInput {
 public:
  // Throws when the hooks cannot be put in. One object at a time.
  explicit PassedOnInput(ULONG_PTR tag);
  PassedOnInput(const PassedOnInput&) = delete;
  PassedOnInput& operator=(const PassedOnInput&) = delete;
  ~PassedOnInput();

  // Tagged key events of this code that passed, going down (WM_KEYDOWN,
  // WM_SYSKEYDOWN) or up.
  int KeysDown(BYTE virtualKey) const { return keys_[virtualKey].down; }
  int KeysUp(BYTE virtualKey) const { return keys_[virtualKey].up; }
  // Mouse messages (WM_MOUSEMOVE to WM_MOUSEHWHEEL) that passed, tagged or not.
  int Mouse(UINT message, bool tagged) const;

 private:
  static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);
  void Run();

  struct KeyCounts {
    std::atomic<int> down{0}, up{0};
  };
  static constexpr UINT kMouseMessages = WM_MOUSEHWHEEL - WM_MOUSEFIRST + 1;

  ULONG_PTR tag_;
  std::array<KeyCounts, 256> keys_{};
  std::array<std::array<std::atomic<int>, kMouseMessages>, 2> mouse_{};
  std::atomic<DWORD> threadId_{0};
  std::atomic<int> state_{0};  // 0 starting, 1 hooks in, -1 failed
  std::thread thread_;
};

}  // namespace tallowmere::test
