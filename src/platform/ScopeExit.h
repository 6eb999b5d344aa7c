#pragma once

#include <utility>

namespace tallowmere {

// Runs a function when the scope ends, on every path out of it.
template <class Function>
class ScopeExit {
 public:
  explicit ScopeExit(Function function) : function_(std::move(function)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { function_(); }

 private:
  Function function_;
};

}  // namespace tallowmere
