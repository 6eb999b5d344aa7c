#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/KBMouseHook.h"
#include "platform/BlockListSource.h"
#include "platform/HookCalls.h"
#include "platform/InputState.h"

namespace tallowmere {

// Records every installation and removal. Installation hands out the next
// handle, or fails with `failure` when it is set. `log`, when set, also gets
// "Hook 256" and "Unhook 256".
class FakeHookCalls : public HookCalls {
 public:
  std::optional<std::uint32_t> failure;
  HookHandle nextHandle = 0x100;
  std::vector<HookKind> installed;
  std::vector<HookHandle> removed;
  std::vector<std::string>* log = nullptr;

  HookInstall Install(HookKind kind, HookProcedures&) override {
    installed.push_back(kind);
    if (failure) return {0, *failure};
    if (log) log->push_back("Hook " + std::to_string(nextHandle));
    return {nextHandle++, 0};
  }
  void Remove(HookHandle handle) override {
    removed.push_back(handle);
    if (log) log->push_back("Unhook " + std::to_string(handle));
  }
};

// The block list file in memory; `unreadable` stands for every way the file
// cannot be opened or read.
class FakeBlockListSource : public BlockListSource {
 public:
  std::string content;
  bool unreadable = false;
  int reads = 0;

  std::optional<std::size_t> Read(std::span<char> buffer) noexcept override {
    ++reads;
    if (unreadable) return std::nullopt;
    const std::size_t n = std::min(buffer.size(), content.size());
    std::copy_n(content.data(), n, buffer.data());
    return n;
  }
};

// The keyboard and mouse buttons as GetAsyncKeyState reports them: a press
// sets the down bit and the pressed-since-last-query bit, which a query clears.
class FakeInput : public InputState {
 public:
  std::map<int, std::uint16_t> states;
  bool active = true;
  std::vector<int> queried;
  // Milliseconds; each look at the clock and each press moves it on by one.
  std::uint32_t clock = 1000;
  std::uint32_t lastInput = 0;

  void Press(int code) {
    states[code] = 0x8001;
    lastInput = ++clock;
  }
  std::uint16_t AsyncKeyState(int code) override {
    queried.push_back(code);
    std::uint16_t& state = states[code];
    const std::uint16_t now = state;
    state &= 0x8000;
    return now;
  }
  bool MainWindowActive() override { return active; }
  std::uint32_t Now() override { return ++clock; }
  std::uint32_t LastInputTime() override { return lastInput; }

  // The watched input by HookKind.
  bool watching = false;
  std::optional<std::uint32_t> lastByKind[2];
  void WatchInput(bool on) override {
    watching = on;
    lastByKind[0].reset();
    lastByKind[1].reset();
  }
  std::optional<std::uint32_t> LastInputTime(HookKind kind) override {
    return watching ? lastByKind[static_cast<int>(kind)] : std::nullopt;
  }
};

// Records what the hooks report. `onFailure` runs within the report, as the
// messages that a shown box dispatches would.
class FakeHookEvents : public HookEvents {
 public:
  using Failure = std::pair<HookKind, std::uint32_t>;
  std::vector<Failure> failures;
  std::function<void()> onFailure;
  void HookInstallFailed(HookKind kind, std::uint32_t error) override {
    failures.emplace_back(kind, error);
    if (onFailure) onFailure();
  }
};

}  // namespace tallowmere
