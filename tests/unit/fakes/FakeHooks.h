#pragma once

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/BlockListSource.h"
#include "platform/HookCalls.h"

namespace tallowmere {

// The keyboard event record as the fake platform lays it out; lParam holds its
// address, as on Windows.
struct FakeKeyEvent {
  std::uint32_t vkCode;
};

struct ChainedCall {
  HookHandle handle;
  int nCode;
  HookWParam wParam;
  HookLParam lParam;
  bool operator==(const ChainedCall&) const = default;
};

// Records every hook call. Installation hands out the next handle, or fails
// with `failure` when it is set.
class FakeHookCalls : public HookCalls {
 public:
  // What CallNext answers: a value no decision of the unit produces.
  static constexpr HookResult kChainResult = 0x5EED;

  std::optional<std::uint32_t> failure;
  HookHandle nextHandle = 0x100;
  std::vector<HookKind> installed;
  std::vector<HookHandle> removed;
  std::vector<ChainedCall> chained;
  int keyCodeReads = 0;

  HookInstall Install(HookKind kind) override {
    installed.push_back(kind);
    if (failure) return {0, *failure};
    return {nextHandle++, 0};
  }
  void Remove(HookHandle handle) override { removed.push_back(handle); }
  HookResult CallNext(HookHandle handle, int nCode, HookWParam wParam, HookLParam lParam) override {
    chained.push_back({handle, nCode, wParam, lParam});
    return kChainResult;
  }
  std::uint32_t KeyCode(HookLParam lParam) override {
    ++keyCodeReads;
    FakeKeyEvent event;
    std::memcpy(&event, reinterpret_cast<const void*>(lParam), sizeof event);
    return event.vkCode;
  }
};

// The block list file in memory; `unreadable` stands for every way the file
// cannot be opened or read.
class FakeBlockListSource : public BlockListSource {
 public:
  std::string content;
  bool unreadable = false;
  int reads = 0;

  std::size_t Read(std::span<char> buffer) noexcept override {
    ++reads;
    if (unreadable) return 0;
    const std::size_t n = std::min(buffer.size(), content.size());
    std::copy_n(content.data(), n, buffer.data());
    return n;
  }
};

}  // namespace tallowmere
