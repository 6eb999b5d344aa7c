// The tray control turning any sequence of callback messages into events,
// also while a balloon waits for its notification.
#include <fuzzer/FuzzedDataProvider.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/Require.h"
#include "tray/cSysTray.h"
#include "unit/fakes/FakeTray.h"

namespace tallowmere {
namespace {

struct Message {
  std::intptr_t lParam;
  std::uintptr_t wParam;
};

struct Event {
  char kind;  // 'M'ove, 'D'own, 'U'p, 'C' double click, 'B'alloon notification
  std::int16_t button;
  std::int32_t id;
  bool operator==(const Event&) const = default;
};

// What the control must make of a message: the table of callback messages.
std::vector<Event> Expected(const Message& m) {
  const auto id = static_cast<std::int32_t>(m.wParam);
  switch (m.lParam) {
    case 0x200:
      return {{'M', 0, id}};
    case 0x201:
      return {{'D', 1, id}};
    case 0x202:
      return {{'U', 1, id}};
    case 0x203:
      return {{'C', 1, id}};
    case 0x204:
      return {{'D', 2, id}};
    case 0x205:
      return {{'U', 2, id}};
    case 0x206:
      return {{'C', 2, id}};
    default:
      return {};
  }
}

bool EndsBalloon(const Message& m) {
  return m.lParam >= 0x403 && m.lParam <= 0x405;
}

// Hands the queued messages to the control, a few per pass, as the window
// procedure would; each wait lets fake time pass.
class QueuePump : public MessagePump {
 public:
  QueuePump(FakeClock& clock, std::deque<Message>& queue, cSysTray*& tray)
      : clock_(clock), queue_(queue), tray_(tray) {}
  std::vector<Message> delivered;
  std::chrono::milliseconds step{250};
  void ProcessPendingMessages() override {
    for (int i = 0; i < 3 && !queue_.empty(); ++i) {
      delivered.push_back(queue_.front());
      queue_.pop_front();
      tray_->DispatchTrayMessage(delivered.back().lParam, delivered.back().wParam);
    }
  }
  void WaitForMessage(std::chrono::milliseconds timeout) override {
    clock_.now += std::min(timeout, step);
  }

 private:
  FakeClock& clock_;
  std::deque<Message>& queue_;
  cSysTray*& tray_;
};

Message NextMessage(FuzzedDataProvider& input) {
  // Mostly the messages the table names and their neighbours, sometimes any value.
  static constexpr std::intptr_t kNear[] = {0x1FF, 0x200, 0x201, 0x202, 0x203, 0x204,
                                            0x205, 0x206, 0x207, 0x208, 0x209, 0x402,
                                            0x403, 0x404, 0x405, 0x406, 0,     -1};
  const auto choice = input.ConsumeIntegralInRange<std::size_t>(0, std::size(kNear));
  const std::intptr_t lParam =
      choice < std::size(kNear) ? kNear[choice] : input.ConsumeIntegral<std::intptr_t>();
  return {lParam, input.ConsumeIntegral<std::uintptr_t>()};
}

}  // namespace
}  // namespace tallowmere

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tallowmere;
  FuzzedDataProvider input(data, size);
  const auto seconds = input.ConsumeIntegralInRange<std::int32_t>(1, 5);
  std::vector<Message> direct;
  const auto directCount = input.ConsumeIntegralInRange<int>(0, 40);
  for (int i = 0; i < directCount; ++i) direct.push_back(NextMessage(input));
  std::deque<Message> queue;
  while (input.remaining_bytes() > 0 && queue.size() < 60) queue.push_back(NextMessage(input));

  FakeNotificationArea area;
  FakeTrayRouting routing;
  FakeClock clock;
  cSysTray* target = nullptr;
  QueuePump pump(clock, queue, target);
  FakeControlWindows windows;
  TrayPlatform platform{area, routing, pump, clock, windows};
  cSysTray tray(platform, true);
  target = &tray;
  std::vector<Event> raised;
  tray.MouseMove = [&](std::int32_t id) { raised.push_back({'M', 0, id}); };
  tray.MouseDown = [&](std::int16_t b, std::int32_t id) { raised.push_back({'D', b, id}); };
  tray.MouseUp = [&](std::int16_t b, std::int32_t id) { raised.push_back({'U', b, id}); };
  tray.MouseDblClick = [&](std::int16_t b, std::int32_t id) { raised.push_back({'C', b, id}); };

  std::vector<Event> expected;
  for (const Message& m : direct) {
    tray.DispatchTrayMessage(m.lParam, m.wParam);
    for (const Event& e : Expected(m)) expected.push_back(e);
  }
  Require(raised == expected, "each callback message raises exactly the event of its row");
  Require(area.sent.empty(), "dispatching a message sends nothing to the notification area");

  raised.clear();
  expected.clear();
  const auto start = clock.now;
  tray.ShowBalloon("Still running", "Tallowmere", seconds, false);
  const auto waited = clock.now - start;
  Require(waited <= std::chrono::seconds(seconds) + pump.step, "the balloon wait ends in time");
  bool ended = false;
  for (const Message& m : pump.delivered) {
    for (const Event& e : Expected(m)) expected.push_back(e);
    ended = ended || EndsBalloon(m);
  }
  Require(raised == expected, "messages dispatched during the wait raise their events");
  Require(area.sent.size() == (ended ? 1u : 2u),
          "the balloon is cleared exactly when no notification ended it");
  const NotifyIconRecord &shown = area.sent.front().record, &cleared = area.sent.back().record;
  Require(shown.uFlags == kFlagInfo && shown.szInfo == "Still running" &&
              shown.uTimeout == static_cast<std::uint32_t>(seconds) * 1000,
          "the balloon record carries its text and time-out");
  if (!ended) {
    Require(cleared.szInfo.empty() && cleared.szInfoTitle.empty() &&
                cleared.uTimeout == static_cast<std::uint32_t>(seconds) * 1000,
            "the clearing record has empty texts and the same time-out");
  }
  return 0;
}
