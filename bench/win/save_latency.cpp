// Under Wine: how long a key event waits in Tallowmere's hooks while the
// program saves its block list. Tallowmere runs locked, every key marked but
// one, with its window shown; this program injects a key no button carries,
// one event at a time, and times each from the injection until a hook of its
// own, put in before Tallowmere's and so called after them, sees it. Three
// phases: no save running, 200 clicks on a key button that each rewrite the
// list, and the list held open without sharing by this program for a second
// while a click's save tries to replace it. Prints "save_latency.<name>
// <value>" lines: per phase the events timed, those lost (not seen within
// 5 s), the 99th percentile and the slowest, in milliseconds.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/KeyTable.h"
#include "platform/win32/Handle.h"
#include "win/support/ErrorBoxes.h"
#include "win/support/FileBytes.h"
#include "win/support/Input.h"
#include "win/support/MainWindowControls.h"
#include "win/support/TallowmereUnderTest.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::bench {
namespace {

using namespace test;

constexpr int kRewrites = 200;
constexpr auto kSettleTime = 2s, kIdleTime = 3s, kHoldTime = 1s;
// F13: no button carries it, so every event passes the hooks and reaches ours.
constexpr WORD kProbeKey = VK_F13;
// The extra information of a probe event: a tag and the event's number.
constexpr ULONG_PTR kTag = 0x4C410000, kTagMask = 0xFFFF0000;
constexpr DWORD kLostAfterMs = 5000;
// The key whose button the clicks toggle: q, code 81.
constexpr std::string_view kToggledTag = "81";

enum Phase { kIdle, kRewriting, kHeld, kPhases };
constexpr const char* kPhaseNames[kPhases] = {"idle", "rewrites", "held"};

double Milliseconds(LONGLONG ticks) {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency);
}

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// Every key marked, q only when asked, and no mouse option: clicks and moves
// pass.
std::string List(bool toggledMarked) {
  std::string list;
  for (const KeyDef& key : kKeyTable) {
    if (key.tag != kToggledTag || toggledMarked) list += std::string(key.tag) + ",";
  }
  return list + "\r\n";
}

int ToggledIndex() {
  for (int i = 0; i < kKeyCount; ++i) {
    if (kKeyTable[i].tag == kToggledTag) return i;
  }
  return -1;
}

// A low-level keyboard hook of this process on a thread of its own that
// notes when each probe event arrives.
class ArrivalHook {
 public:
  ArrivalHook() : arrived_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    self_ = this;
    thread_ = std::thread([this] {
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
      threadId_ = GetCurrentThreadId();
      HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, Proc, GetModuleHandleW(nullptr), 0);
      ready_ = hook != nullptr ? 1 : -1;
      while (hook != nullptr && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
      if (hook != nullptr) UnhookWindowsHookEx(hook);
    });
    WaitFor([this] { return ready_ != 0; });
  }
  ~ArrivalHook() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  bool Ok() const { return ready_ == 1; }

  // The time the event of this number arrived, or nothing within the limit.
  std::optional<LONGLONG> ArrivalOf(ULONG_PTR number) {
    for (;;) {
      if (seen_ == number) return at_.load();
      if (WaitForSingleObject(arrived_.Get(), kLostAfterMs) != WAIT_OBJECT_0) return std::nullopt;
    }
  }

 private:
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && (event->dwExtraInfo & kTagMask) == kTag) {
      self_->at_ = Now();
      self_->seen_ = event->dwExtraInfo & ~kTagMask;
      SetEvent(self_->arrived_.Get());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline ArrivalHook* self_ = nullptr;
  Handle arrived_;
  std::atomic<LONGLONG> at_{0};
  std::atomic<ULONG_PTR> seen_{0};
  std::atomic<DWORD> threadId_{0};
  std::atomic<int> ready_{0};
  std::thread thread_;
};

struct Latencies {
  std::vector<double> ms;
  int lost = 0;
};

// Injects probe keys one at a time, each once the previous one arrived,
// filing each wait under the phase of the moment, until told to stop.
void Inject(ArrivalHook& hook, const std::atomic<int>& phase, const std::atomic<bool>& stop,
            Latencies (&byPhase)[kPhases]) {
  for (ULONG_PTR number = 1; !stop; ++number) {
    const int now = phase;
    const LONGLONG sent = Now();
    number % 2 == 1 ? PressKey(kProbeKey, kTag | number) : ReleaseKey(kProbeKey, kTag | number);
    const std::optional<LONGLONG> arrived = hook.ArrivalOf(number);
    if (arrived) {
      byPhase[now].ms.push_back(Milliseconds(*arrived - sent));
    } else {
      ++byPhase[now].lost;
    }
    if (number == 0xFFFE) number = 0;
    // A pace that leaves the machine to the program, still far finer than
    // the waits it looks for.
    Sleep(2);
  }
}

int Run() {
  TallowmereUnderTest program;
  WriteFileBytes(program.BlockListFile(), List(false));
  ArrivalHook hook;
  if (!hook.Ok()) return std::fprintf(stderr, "cannot put in the probe hook\n"), 1;
  HWND window = program.Start();
  if (window == nullptr) return std::fprintf(stderr, "no main window\n"), 1;
  MainWindowControls controls(window);
  HWND lockingSwitch = controls.Control(ControlId::PushButton6);
  ClickAt(Centre(ScreenRect(lockingSwitch)));
  if (!WaitFor([&] { return WindowText(lockingSwitch) == L"Stop" && !IsWindowVisible(window); })) {
    return std::fprintf(stderr, "locking did not start\n"), 1;
  }
  // Shown again, as the tray icon does, but not active: no key capture poll.
  ShowWindow(window, SW_SHOWNA);
  WaitFor([&] { return IsWindowVisible(window) != FALSE; });
  // Hiding the window kept the program busy for a while (Wine waits for the
  // X server); the baseline starts when that is over.
  PumpMessagesFor(kSettleTime);

  std::atomic<int> phase{kIdle};
  std::atomic<bool> stop{false};
  Latencies byPhase[kPhases];
  std::thread injector([&] { Inject(hook, phase, stop, byPhase); });

  PumpMessagesFor(kIdleTime);

  phase = kRewriting;
  const std::filesystem::path list = program.BlockListFile();
  const POINT key = Centre(ScreenRect(controls.Key(ToggledIndex())));
  int rewrites = 0;
  for (; rewrites < kRewrites; ++rewrites) {
    const auto size = List(rewrites % 2 == 0).size();
    ClickAt(key);
    if (!WaitFor([&] {
          const auto stamp = StampOf(list);
          return stamp && stamp->size == size;
        })) {
      break;
    }
  }

  // Held: a handle of another program that shares nothing makes the save's
  // replace fail until it is closed.
  phase = kHeld;
  bool wasHeld = false;
  {
    // The hooks open the list for every event: wait for a moment between.
    Handle held;
    wasHeld = WaitFor([&] {
      held = Handle(CreateFileW(list.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
      return held.Valid();
    });
    ClickAt(key);
    PumpMessagesFor(kHoldTime);
  }
  // The save may have given up while the list was held and said so.
  PumpMessagesFor(500ms);
  stop = true;
  injector.join();
  for (HWND box : ErrorBoxes(program.Program())) PostMessageW(box, WM_CLOSE, 0, 0);

  std::printf("save_latency.rewrites_done %d\n", rewrites);
  for (int p = 0; p < kPhases; ++p) {
    std::vector<double>& ms = byPhase[p].ms;
    std::sort(ms.begin(), ms.end());
    const double p99 = ms.empty() ? -1 : ms[ms.size() * 99 / 100];
    const double slowest = ms.empty() ? -1 : ms.back();
    std::printf("save_latency.%s.events %zu\nsave_latency.%s.lost %d\n", kPhaseNames[p], ms.size(),
                kPhaseNames[p], byPhase[p].lost);
    std::printf("save_latency.%s.p99_ms %.2f\nsave_latency.%s.max_ms %.2f\n", kPhaseNames[p], p99,
                kPhaseNames[p], slowest);
  }
  program.Program().End();
  if (!wasHeld) std::fprintf(stderr, "could not hold the list\n");
  return rewrites == kRewrites && wasHeld ? 0 : 1;
}

}  // namespace
}  // namespace tallowmere::bench

int wmain() {
  try {
    return tallowmere::bench::Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "save_latency: %s\n", e.what());
    return 1;
  }
}
