// Under Wine: the cost of one hook decision with the real reader, and the
// latency of injected input with no hook, with a hook that passes everything
// on, with KBMouseHook's hooks (the event not blocked), and with Tallowmere
// running, not blocking, its window not active (no hook, the keys of the
// chord that starts locking read four times a second).
//   hook_bench [TALLOWMERE_EXE]   the program to run idle; the built one by
//                                 default
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/DecisionTiming.h"
#include "engine/BlockList.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32BlockListSource.h"
#include "platform/win32/Win32Files.h"
#include "win/support/HookHost.h"
#include "win/support/Input.h"
#include "win/support/InputReceiver.h"
#include "win/support/RunningProgram.h"
#include "win/support/TallowmereBuild.h"
#include "win/support/TallowmereUnderTest.h"
#include "win/support/TestFolder.h"

namespace tallowmere::bench {
namespace {

using namespace test;

constexpr int kRounds = 25, kWarmUp = 4, kEvents = 20;
// Each sample ends with the key up and the pointer back at its first point,
// so that the next sample's first event is a change again.
static_assert((kWarmUp + kEvents) % 2 == 0);
constexpr std::chrono::milliseconds kEventTimeout{2000};

double Micros(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(ticks) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

// Sends one event at a time and adds the time until the window has it to
// `latencies`; false when an event does not arrive.
template <typename Send>
bool SampleEvents(InputReceiver& window, UINT first, UINT last, Send send,
                  std::vector<double>& latencies) {
  const auto inRange = [&](const InputReceiver::Received& r) {
    return r.message >= first && r.message <= last;
  };
  for (int i = 0; i < kWarmUp + kEvents; ++i) {
    window.Reset();
    LARGE_INTEGER sent;
    QueryPerformanceCounter(&sent);
    send(i);
    const auto arrived = [&] {
      return std::any_of(window.Messages().begin(), window.Messages().end(), inRange);
    };
    if (!WaitFor(arrived, kEventTimeout)) return false;
    const auto it = std::find_if(window.Messages().begin(), window.Messages().end(), inRange);
    if (i >= kWarmUp) latencies.push_back(Micros(it->time.QuadPart - sent.QuadPart));
  }
  return true;
}

struct Mode {
  const char* name;
  HookHost* host;                           // nullptr for no hook at all
  const std::filesystem::path* idle;        // Tallowmere.exe to run idle, or nullptr
  std::vector<double> key, move;            // every event
  std::vector<double> roundKey, roundMove;  // the median of each round
};

bool Sample(InputReceiver& window, Mode& mode) {
  std::vector<double> key, move;
  const bool keys = SampleEvents(
      window, WM_KEYDOWN, WM_KEYUP,
      [](int i) {
        if (i % 2 == 0) {
          PressKey(static_cast<WORD>(kUnlistedKey));
        } else {
          ReleaseKey(static_cast<WORD>(kUnlistedKey));
        }
      },
      key);
  // Absolute moves between two points inside the window.
  const POINT centre = window.Centre();
  const bool moves = SampleEvents(
      window, WM_MOUSEMOVE, WM_MOUSEMOVE,
      [&](int i) {
        MovePointerTo({centre.x + (i % 2 == 0 ? 20 : -20), centre.y});
      },
      move);
  mode.key.insert(mode.key.end(), key.begin(), key.end());
  mode.move.insert(mode.move.end(), move.begin(), move.end());
  mode.roundKey.push_back(Median(key));
  mode.roundMove.push_back(Median(move));
  return keys && moves;
}

// Tallowmere started with locking off, settled behind the receiving window,
// which has the keys; nullptr when it does not come up.
std::unique_ptr<RunningProgram> StartIdle(const std::filesystem::path& exe,
                                          const std::filesystem::path& temp,
                                          InputReceiver& window) {
  auto program = std::make_unique<RunningProgram>(ProgramStart{exe, temp, L""});
  // It takes the front once its window is shown; only then can the
  // receiving window take it back.
  const HWND main = program->WaitForMainWindow(kMainWindowTitle);
  if (main == nullptr || !WaitFor([&] { return GetForegroundWindow() == main; }) ||
      !window.BringToFront())
    return nullptr;
  // What it does once after starting and on losing the front is not what
  // it does while idle.
  Sleep(1000);
  return GetForegroundWindow() == window.Window() ? std::move(program) : nullptr;
}

int Run(const std::filesystem::path& program) {
  TestFolder temp;
  SetEnvironmentVariableW(L"TEMP", temp.Path().c_str());
  const std::string list = Utf8(temp.File(L"xsettings.txt"));
  Win32BlockListSource source(kBlockListFolderVariable, kBlockListFileName);
  ReportDecisions("wine", source,
                  [&](const std::string& content) { Win32Files().Replace(list, content); });

  Win32Files().Replace(list, EverythingButMovement());
  InputReceiver window;
  if (!window.BringToFront()) {
    std::fprintf(stderr, "the receiving window does not come to the front\n");
    return 1;
  }
  const POINT centre = window.Centre();
  SetCursorPos(centre.x, centre.y);
  HookHost passThrough(L"pass-through", temp.Path());
  HookHost kbMouseHook(L"hooks", temp.Path());
  for (HookHost* host : {&passThrough, &kbMouseHook}) {
    host->RemoveHooks();
    if (!host->Error().empty()) {
      std::fprintf(stderr, "%ls\n", host->Error().c_str());
      return 1;
    }
  }
  // The modes take turns in short rounds, so that a change in the load of
  // the machine weighs on all of them alike.
  Mode modes[] = {{"none", nullptr, nullptr, {}, {}, {}, {}},
                  {"pass-through", &passThrough, nullptr, {}, {}, {}, {}},
                  {"hooks", &kbMouseHook, nullptr, {}, {}, {}, {}},
                  {"idle", nullptr, &program, {}, {}, {}, {}}};
  for (int round = 0; round < kRounds; ++round) {
    for (Mode& mode : modes) {
      if (mode.host != nullptr) mode.host->InstallHooks();
      std::unique_ptr<RunningProgram> idle;
      if (mode.idle != nullptr && !(idle = StartIdle(*mode.idle, temp.Path(), window))) {
        std::fprintf(stderr, "%ls did not come up behind the receiving window\n",
                     mode.idle->c_str());
        return 1;
      }
      const bool arrived = Sample(window, mode);
      if (mode.host != nullptr) mode.host->RemoveHooks();
      idle.reset();
      if (!arrived || (mode.host != nullptr && !mode.host->Error().empty())) {
        std::fprintf(stderr, "injected input stopped arriving with %s\n", mode.name);
        return 1;
      }
    }
  }
  for (const Mode& mode : modes) {
    std::printf("latency.key.%s %.1f\nlatency.move.%s %.1f\n", mode.name, Median(mode.key),
                mode.name, Median(mode.move));
  }
  // Ratios of the same round, whose load is alike: their median.
  const auto ratio = [](const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> ratios;
    for (std::size_t r = 0; r < a.size(); ++r) ratios.push_back(a[r] / b[r]);
    return Median(ratios);
  };
  const Mode &none = modes[0], &pass = modes[1], &hooks = modes[2], &idle = modes[3];
  std::printf(
      "ratio.key.hooks %.2f\nratio.key.pass %.2f\nratio.key.hooks-none %.2f\n"
      "ratio.key.idle-none %.2f\nratio.move.hooks %.2f\nratio.move.pass %.2f\n"
      "ratio.move.hooks-none %.2f\nratio.move.idle-none %.2f\n",
      ratio(hooks.roundKey, pass.roundKey), ratio(pass.roundKey, none.roundKey),
      ratio(hooks.roundKey, none.roundKey), ratio(idle.roundKey, none.roundKey),
      ratio(hooks.roundMove, pass.roundMove), ratio(pass.roundMove, none.roundMove),
      ratio(hooks.roundMove, none.roundMove), ratio(idle.roundMove, none.roundMove));
  return 0;
}

}  // namespace
}  // namespace tallowmere::bench

int wmain(int argc, wchar_t** argv) {
  return tallowmere::bench::Run(argc > 1 ? std::filesystem::path(argv[1])
                                         : tallowmere::test::BuiltProgram());
}
