// Locking under a flood of input: with every key marked and every mouse
// option but the left click ticked, another program injects mouse moves and
// key events while clicks on the shown window rewrite the block list. Nothing
// blocked may get through, nothing allowed may be lost, the hooks must still
// be in at the end, and the program's memory must not grow.
//
// The test command runs a short stream; bench/stress runs the long one by
// setting TALLOWMERE_STRESS_MOVES and TALLOWMERE_STRESS_KEYS, and reads the
// figures printed as "stress.<name> <value>" lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/KeyTable.h"
#include "win/support/FileBytes.h"
#include "win/support/Input.h"
#include "win/support/MainWindowUnderTest.h"
#include "win/support/PassedOnInput.h"
#include "win/support/ProcessMemory.h"
#include "win/support/Wait.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

// The extra information of every injected event of the stream.
constexpr ULONG_PTR kStreamTag = 0x5354524D;

// Codes that no key button carries (F13 to F23): they always pass. F24,
// carried by none either, is kept for the checks before and after the stream.
constexpr std::array<BYTE, 11> kAllowedKeys = {VK_F13, VK_F14, VK_F15, VK_F16, VK_F17, VK_F18,
                                               VK_F19, VK_F20, VK_F21, VK_F22, VK_F23};
constexpr BYTE kProbeKey = VK_F24;

// The keys whose buttons the clicks toggle, by code; the stream never sends
// them, so every key it sends has one fate for the whole run.
constexpr std::array<std::string_view, 4> kToggledTags = {"81", "80", "90", "77"};  // Q P Z M

// Right click, movement, scroll and middle button, as the save writes them.
constexpr std::string_view kMouseEntries = "516,517,512,522,519,520,";

// Memory the program may gain over the stream: far below what one lost
// allocation per event would add over the long run, above the heap's noise.
constexpr std::size_t kAllowedGrowth = 512 * 1024;

int FromEnvironment(const wchar_t* name, int fallback) {
  wchar_t value[32];
  const DWORD n = GetEnvironmentVariableW(name, value, 32);
  if (n == 0 || n >= 32) return fallback;
  const long parsed = std::wcstol(value, nullptr, 10);
  return parsed > 0 ? static_cast<int>(parsed) : fallback;
}

bool IsToggled(std::string_view tag) {
  return std::find(kToggledTags.begin(), kToggledTags.end(), tag) != kToggledTags.end();
}

// The block list with every key marked, in the order the save writes it.
std::string FullList() {
  std::string list;
  for (const KeyDef& key : kKeyTable) list += std::string(key.tag) + ",";
  return list + std::string(kMouseEntries) + "\r\n";
}

// The codes of the marked keys that the stream sends, each once.
std::vector<BYTE> BlockedKeys() {
  std::vector<BYTE> codes;
  for (const KeyDef& key : kKeyTable) {
    const auto code = static_cast<BYTE>(std::stoi(std::string(key.tag)));
    if (!IsToggled(key.tag) && std::find(codes.begin(), codes.end(), code) == codes.end()) {
      codes.push_back(code);
    }
  }
  return codes;
}

std::vector<int> ToggledIndices() {
  std::vector<int> indices;
  for (int i = 0; i < kKeyCount; ++i) {
    if (IsToggled(kKeyTable[i].tag)) indices.push_back(i);
  }
  return indices;
}

double Kilobytes(std::size_t bytes) {
  return static_cast<double>(bytes) / 1024.0;
}

// The injected stream: moves and key presses spread evenly over it, the
// presses taking turns between a marked key and a key no button carries.
class Stream {
 public:
  Stream(int moves, int keyEvents, std::vector<BYTE> blocked)
      : moves_(moves), taps_(keyEvents / 2), blocked_(std::move(blocked)) {}

  int Events() const { return moves_ + 2 * taps_; }

  // Sends every event, sampling the program's memory once the first
  // twentieth has gone through (what it holds for good is in by then), and
  // at the end. Stops early when asked.
  void Send(DWORD program, const std::atomic<bool>& stop) {
    const int warmUp = Events() / 20;
    int sentMoves = 0, sentTaps = 0;
    const auto started = std::chrono::steady_clock::now();
    while (sentMoves < moves_ || sentTaps < taps_) {
      if (stop) return;
      if (!before_ && sentMoves + 2 * sentTaps >= warmUp) before_ = MemoryOf(program);
      // The next event is a tap while taps are behind their share of moves.
      const bool tap = sentTaps < taps_ &&
                       (sentMoves == moves_ || static_cast<long long>(sentTaps) * moves_ <=
                                                   static_cast<long long>(sentMoves) * taps_);
      if (tap) {
        const BYTE key = sentTaps % 2 == 0 ? blocked_[(sentTaps / 2) % blocked_.size()]
                                           : kAllowedKeys[(sentTaps / 2) % kAllowedKeys.size()];
        PressKey(key, kStreamTag);
        ReleaseKey(key, kStreamTag);
        if (sentTaps % 2 == 1) ++allowedTaps_[key];
        ++sentTaps;
      } else {
        MovePointerBy(sentMoves % 2 == 0 ? 1 : -1, 0, kStreamTag);
        ++sentMoves;
      }
    }
    seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    after_ = MemoryOf(program);
  }

  const std::map<BYTE, int>& AllowedTaps() const { return allowedTaps_; }
  const std::vector<BYTE>& Blocked() const { return blocked_; }
  double Seconds() const { return seconds_; }
  const std::optional<ProcessMemory>& Before() const { return before_; }
  const std::optional<ProcessMemory>& After() const { return after_; }

 private:
  int moves_;
  int taps_;
  std::vector<BYTE> blocked_;
  std::map<BYTE, int> allowedTaps_;
  double seconds_ = 0;
  std::optional<ProcessMemory> before_, after_;
};

class StressUnderLocking : public MainWindowUnderTest, public ::testing::Test {
 protected:
  // Starts the program on the full list, puts in the counting hooks (before
  // the program's, so that they see only what it passes on) and starts
  // locking with the window shown again and active.
  void StartLocked() {
    WriteFileBytes(program_.BlockListFile(), FullList());
    ASSERT_TRUE(Start());
    for (int index : ToggledIndices()) {
      ASSERT_TRUE(WaitFor([&] { return KeyFace(index) == kMarkedColor; })) << "key " << index;
    }
    passed_ = std::make_unique<PassedOnInput>(kStreamTag);
    ASSERT_NO_FATAL_FAILURE(StartLocking());
    // Brought back by another program, as the tray icon does.
    ShowWindow(window_, SW_SHOW);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window_) != FALSE; }));
    SetForegroundWindow(window_);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window_; }));
  }

  // A marked key and a move must be swallowed and a key no button carries
  // must pass: what holds while the hooks are in.
  void ExpectHooksIn(const Stream& stream) {
    const BYTE blocked = stream.Blocked().front(), allowed = kProbeKey;
    const int blockedBefore = passed_->KeysDown(blocked) + passed_->KeysUp(blocked);
    const int movesBefore = passed_->Mouse(WM_MOUSEMOVE, true);
    const int allowedBefore = passed_->KeysUp(allowed);
    PressKey(blocked, kStreamTag);
    ReleaseKey(blocked, kStreamTag);
    MovePointerBy(1, 0, kStreamTag);
    PressKey(allowed, kStreamTag);
    ReleaseKey(allowed, kStreamTag);
    EXPECT_TRUE(WaitFor([&] { return passed_->KeysUp(allowed) == allowedBefore + 1; }))
        << "a key no button carries did not pass";
    EXPECT_EQ(passed_->KeysDown(blocked) + passed_->KeysUp(blocked), blockedBefore)
        << "marked key " << int{blocked} << " passed";
    EXPECT_EQ(passed_->Mouse(WM_MOUSEMOVE, true), movesBefore) << "a move passed";
  }

  // Clicks the toggled keys in turn, each click waiting until the key's face
  // shows it, until the stream is done; then once more where needed, so that
  // every key ends marked. Returns the number of clicks.
  int ClickUntil(const std::atomic<bool>& done, std::atomic<bool>& stop) {
    const std::vector<int> toggled = ToggledIndices();
    std::map<int, int> clicks;
    int total = 0;
    const auto click = [&](int index) {
      Click(Key(index));
      ++total;
      const COLORREF expected = ++clicks[index] % 2 == 1 ? kUnmarkedColor : kMarkedColor;
      const bool shown = WaitFor([&] { return KeyFace(index) == expected; });
      EXPECT_TRUE(shown) << "click " << clicks[index] << " on key " << index << " shows "
                         << Hex(KeyFace(index));
      return shown;
    };
    for (std::size_t next = 0; !done; ++next) {
      if (!click(toggled[next % toggled.size()])) {
        stop = true;
        return total;
      }
    }
    for (int index : toggled) {
      if (clicks[index] % 2 == 1 && !click(index)) return total;
    }
    return total;
  }

  std::unique_ptr<PassedOnInput> passed_;
};

TEST_F(StressUnderLocking, NothingBlockedLeaksNothingAllowedIsLostWhileClicksRewriteTheList) {
  ASSERT_NO_FATAL_FAILURE(StartLocked());
  Stream stream(FromEnvironment(L"TALLOWMERE_STRESS_MOVES", 2000),
                FromEnvironment(L"TALLOWMERE_STRESS_KEYS", 400), BlockedKeys());
  ExpectHooksIn(stream);
  const int pressesBefore = passed_->Mouse(WM_LBUTTONDOWN, false);
  const int releasesBefore = passed_->Mouse(WM_LBUTTONUP, false);

  std::atomic<bool> done{false}, stop{false};
  std::string failure;
  std::thread injector([&] {
    try {
      stream.Send(Program().Id(), stop);
    } catch (const std::exception& e) {
      failure = e.what();
    }
    done = true;
  });
  const int clicks = ClickUntil(done, stop);
  injector.join();
  ASSERT_EQ(failure, "");
  ASSERT_FALSE(stop) << "the clicks stopped acting";

  EXPECT_EQ(passed_->Mouse(WM_MOUSEMOVE, true), 0) << "moves passed";
  for (BYTE key : stream.Blocked()) {
    EXPECT_EQ(passed_->KeysDown(key) + passed_->KeysUp(key), 0) << "marked key " << int{key};
  }
  EXPECT_TRUE(WaitFor([&] {
    return std::all_of(stream.AllowedTaps().begin(), stream.AllowedTaps().end(),
                       [&](const auto& tap) { return passed_->KeysUp(tap.first) == tap.second; });
  }));
  for (const auto& [key, taps] : stream.AllowedTaps()) {
    EXPECT_EQ(passed_->KeysDown(key), taps) << "key " << int{key} << " going down";
    EXPECT_EQ(passed_->KeysUp(key), taps) << "key " << int{key} << " coming up";
  }
  EXPECT_EQ(passed_->Mouse(WM_LBUTTONDOWN, false) - pressesBefore, clicks);
  EXPECT_EQ(passed_->Mouse(WM_LBUTTONUP, false) - releasesBefore, clicks);

  ExpectHooksIn(stream);
  EXPECT_EQ(WindowText(Control(ControlId::PushButton6)), L"Stop");

  ASSERT_TRUE(stream.Before() && stream.After()) << "the program's memory could not be read";
  const ProcessMemory &before = *stream.Before(), &after = *stream.After();
  EXPECT_LE(after.privateBytes, before.privateBytes + kAllowedGrowth);
  std::printf(
      "stress.events %d\nstress.clicks %d\nstress.seconds %.1f\nstress.events_per_second %.0f\n"
      "stress.private_kb.start %.0f\nstress.private_kb.end %.0f\nstress.working_set_kb.start "
      "%.0f\nstress.working_set_kb.end %.0f\nstress.peak_working_set_kb %.0f\n"
      "stress.peak_private_kb %.0f\n",
      stream.Events(), clicks, stream.Seconds(), stream.Events() / stream.Seconds(),
      Kilobytes(before.privateBytes), Kilobytes(after.privateBytes), Kilobytes(before.workingSet),
      Kilobytes(after.workingSet), Kilobytes(after.peakWorkingSet),
      Kilobytes(after.peakPrivateBytes));
  // Read once the program is gone: a read while its key capture poll saves
  // would make the save fail.
  EXPECT_TRUE(Program().End());
  EXPECT_EQ(ReadFileBytes(program_.BlockListFile()), std::optional<std::string>(FullList()))
      << "every toggled key ends marked again";
}

}  // namespace
}  // namespace tallowmere::test
