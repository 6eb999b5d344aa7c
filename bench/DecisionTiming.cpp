#include "bench/DecisionTiming.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/BlockList.h"
#include "engine/KBMouseHook.h"
#include "engine/KeyTable.h"

namespace tallowmere::bench {

namespace {

// Stands in for the system around the hook procedure: the event record is a
// bare key code and the chain answers 0.
class BenchHookCalls : public HookCalls {
 public:
  HookInstall Install(HookKind) override { return {1, 0}; }
  void Remove(HookHandle) override {}
  HookResult CallNext(HookHandle, int, HookWParam, HookLParam) override { return 0; }
  std::uint32_t KeyCode(HookLParam lParam) override {
    std::uint32_t code;
    std::memcpy(&code, reinterpret_cast<const void*>(lParam), sizeof code);
    return code;
  }
};

class NoDialogs : public Dialogs {
 public:
  void Show(const std::string&, const std::string&, DialogIcon) override {}
};

std::string ListWithOptions(const std::array<int, 5>& options) {
  std::vector<KeyMark> keys;
  for (const KeyDef& key : kKeyTable) keys.push_back({kMarkedColor, key.tag});
  return BlockListContent(keys, options);
}

// Mean time of one call over a batch of calls for an unlisted key.
double BatchMicros() {
  constexpr int kCallsPerBatch = 300;
  const std::uint32_t key = kUnlistedKey;
  const auto lParam = reinterpret_cast<HookLParam>(&key);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCallsPerBatch; ++i) KBMouseHook::KeyboardProc(0, 0x100, lParam);
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / kCallsPerBatch;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

}  // namespace

std::string FullBlockList() {
  return ListWithOptions({1, 1, 1, 1, 1});
}

std::string EverythingButMovement() {
  return ListWithOptions({1, 1, 0, 1, 1});
}

void ReportDecisions(const char* platform, BlockListSource& source,
                     const std::function<void(const std::string&)>& write) {
  BenchHookCalls hooks;
  NoDialogs dialogs;
  KBMouseHook::Attach(hooks, source, dialogs);
  KBMouseHook::HookKeyboard();
  // Batches of the two lists alternate, so that a change in the load of the
  // machine weighs on both alike.
  constexpr int kBatches = 21;
  const std::string lists[] = {"65,\r\n", FullBlockList()};
  std::vector<double> times[2];
  for (int b = 0; b <= kBatches; ++b) {
    for (int l = 0; l < 2; ++l) {
      write(lists[l]);
      const double micros = BatchMicros();
      if (b > 0) times[l].push_back(micros);  // the first round warms up
    }
  }
  std::printf("decision.%s.1 %.2f\ndecision.%s.112 %.2f\n", platform, Median(times[0]), platform,
              Median(times[1]));
  std::fflush(stdout);
}

}  // namespace tallowmere::bench
