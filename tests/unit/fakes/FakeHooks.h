#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/KBMouseHook.h"
#include "platform/BlockListSource.h"
#include "platform/HookCalls.h"

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

// Records what the hooks report. `onFailure` runs within the report, as the
// messages that a shown box dispatches would.
class FakeHookEvents : public HookEvents {
 public:
  using Failure = std::pair<HookKind, std::uint32_t>;
  std::vector<Failure> failures;
  std::function<void()> onFailure;
  int stopRequests = 0;
  void HookInstallFailed(HookKind kind, std::uint32_t error) override {
    failures.emplace_back(kind, error);
    if (onFailure) onFailure();
  }
  void StopLockingRequested() override { ++stopRequests; }
};

}  // namespace tallowmere
