#include "bench/DecisionTiming.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

#include "engine/BlockList.h"
#include "engine/KBMouseHook.h"
#include "engine/KeyTable.h"
#include "ui/Form1Layout.h"

namespace tallowmere::bench {

namespace {

// Stands in for the system around the hook procedure.
class BenchHookCalls : public HookCalls {
 public:
  HookInstall Install(HookKind, HookProcedures&) override { return {1, 0}; }
  void Remove(HookHandle) override {}
};

class NoEvents : public HookEvents {
 public:
  void HookInstallFailed(HookKind, std::uint32_t) override {}
};

// No key is held when the hook arrives.
class NoKeysHeld : public InputState {
 public:
  std::uint16_t AsyncKeyState(int) override { return 0; }
  bool MainWindowActive() override { return false; }
  std::uint32_t Now() override { return 0; }
  std::uint32_t LastInputTime() override { return 0; }
  void WatchInput(bool) override {}
  std::optional<std::uint32_t> LastInputTime(HookKind) override { return std::nullopt; }
};

std::string ListWithOptions(const std::array<bool, 5>& options) {
  std::vector<ListEntries> keys, groups;
  for (const KeyDef& key : kKeyTable) keys.push_back({key.tag, true});
  for (std::size_t o = 0; o < kMouseOptions.size(); ++o) {
    groups.push_back({kMouseOptions[o].entries, options[o]});
  }
  return BlockListContent(keys, groups);
}

// Mean time of one call over a batch of calls for an unlisted key.
double BatchMicros(KBMouseHook& hook) {
  constexpr int kCallsPerBatch = 300;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCallsPerBatch; ++i) hook.KeyboardProc({kUnlistedKey, true, false});
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / kCallsPerBatch;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

}  // namespace

std::string FullBlockList() {
  return ListWithOptions({true, true, true, true, true});
}

std::string EverythingButMovement() {
  return ListWithOptions({true, true, false, true, true});
}

void ReportDecisions(const char* platform, BlockListSource& source,
                     const std::function<void(const std::string&)>& write) {
  BenchHookCalls hooks;
  NoEvents events;
  NoKeysHeld keys;
  KBMouseHook hook(hooks, source, keys, events);
  hook.HookKeyboard();
  // Batches of the two lists alternate, so that a change in the load of the
  // machine weighs on both alike.
  constexpr int kBatches = 21;
  const std::string lists[] = {"65,\r\n", FullBlockList()};
  std::vector<double> times[2];
  for (int b = 0; b <= kBatches; ++b) {
    for (int l = 0; l < 2; ++l) {
      write(lists[l]);
      const double micros = BatchMicros(hook);
      if (b > 0) times[l].push_back(micros);  // the first round warms up
    }
  }
  std::printf("decision.%s.1 %.2f\ndecision.%s.112 %.2f\n", platform, Median(times[0]), platform,
              Median(times[1]));
  std::fflush(stdout);
}

}  // namespace tallowmere::bench
