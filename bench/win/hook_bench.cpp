// Under Wine: the cost of one hook decision with the real reader, and the
// latency of injected input with no hook, with a hook that passes everything
// on, and with KBMouseHook's hooks (the event not blocked).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/DecisionTiming.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32BlockListSource.h"
#include "platform/win32/Win32Files.h"
#include "win/support/HookHost.h"
#include "win/support/InputWindow.h"
#include "win/support/TempFolder.h"

namespace tallowmere::bench {
namespace {

constexpr int kRounds = 3, kWarmUp = 10, kEvents = 100;
constexpr DWORD kEventTimeoutMs = 2000;

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
bool SampleEvents(InputWindow& window, UINT first, UINT last, Send send,
                  std::vector<double>& latencies) {
  const auto inRange = [&](const InputWindow::Received& r) {
    return r.message >= first && r.message <= last;
  };
  for (int i = 0; i < kWarmUp + kEvents; ++i) {
    window.Clear();
    LARGE_INTEGER sent;
    QueryPerformanceCounter(&sent);
    send(i);
    const auto arrived = [&] {
      return std::any_of(window.Messages().begin(), window.Messages().end(), inRange);
    };
    if (!window.Pump(arrived, kEventTimeoutMs)) return false;
    const auto it = std::find_if(window.Messages().begin(), window.Messages().end(), inRange);
    if (i >= kWarmUp) latencies.push_back(Micros(it->time.QuadPart - sent.QuadPart));
  }
  return true;
}

struct Mode {
  const wchar_t* host;  // the hook_host mode, or nullptr for no hook at all
  const char* name;
  std::vector<double> key, move;
};

bool Sample(InputWindow& window, Mode& mode) {
  const bool keys = SampleEvents(
      window, WM_KEYDOWN, WM_KEYUP,
      [](int i) { SendKey(static_cast<WORD>(kUnlistedKey), i % 2 == 1); }, mode.key);
  // Absolute moves between two points inside the window.
  const POINT centre = window.Centre();
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const bool moves = SampleEvents(
      window, WM_MOUSEMOVE, WM_MOUSEMOVE,
      [&](int i) {
        const LONG x = centre.x + (i % 2 == 0 ? 20 : -20);
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x * 65535 / (width - 1),
                  centre.y * 65535 / (height - 1));
      },
      mode.move);
  return keys && moves;
}

int Run() {
  TempFolder temp;
  SetEnvironmentVariableW(L"TEMP", temp.Path().c_str());
  const std::string list = Utf8(temp.File(L"xsettings.txt"));
  Win32BlockListSource source;
  ReportDecisions("wine", source,
                  [&](const std::string& content) { Win32Files().Replace(list, content); });

  Win32Files().Replace(list, EverythingButMovement());
  InputWindow window;
  const POINT centre = window.Centre();
  SetCursorPos(centre.x, centre.y);
  // The modes take turns, so that a change in the load of the machine weighs
  // on all of them alike.
  Mode modes[] = {{nullptr, "none", {}, {}},
                  {L"pass-through", "pass-through", {}, {}},
                  {L"hooks", "hooks", {}, {}}};
  for (int round = 0; round < kRounds; ++round) {
    for (Mode& mode : modes) {
      std::unique_ptr<HookHost> host;
      if (mode.host != nullptr) {
        host = std::make_unique<HookHost>(mode.host, temp.Path());
        if (!host->Error().empty()) {
          std::fprintf(stderr, "%ls\n", host->Error().c_str());
          return 1;
        }
      }
      if (!Sample(window, mode)) {
        std::fprintf(stderr, "injected input stopped arriving with %s\n", mode.name);
        return 1;
      }
    }
  }
  for (const Mode& mode : modes) {
    std::printf("latency.key.%s %.1f\nlatency.move.%s %.1f\n", mode.name, Median(mode.key),
                mode.name, Median(mode.move));
  }
  return 0;
}

}  // namespace
}  // namespace tallowmere::bench

int main() {
  return tallowmere::bench::Run();
}
