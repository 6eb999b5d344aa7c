#pragma once

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>

// A table-driven test's case carries a `name`, a valid identifier. That name
// names the test's instance, so that a run lists which case it was:
//   INSTANTIATE_TEST_SUITE_P(Lists, Restore, ::testing::ValuesIn(kCases), CaseName());
// and GoogleTest prints the case by it when a test of the case fails.
namespace tallowmere::cases {

template <typename Case>
concept Named = requires(const Case& c) {
  { std::string(c.name) } -> std::same_as<std::string>;
};

struct CaseName {
  template <Named Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return std::string(info.param.name);
  }
};

template <Named Case>
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

}  // namespace tallowmere::cases

// GoogleTest finds PrintTo beside the case's type, and the tables live in
// the unnamed namespaces of the test files.
namespace tallowmere {
using cases::CaseName;
namespace {
using cases::PrintTo;
}  // namespace
}  // namespace tallowmere

namespace tallowmere::test {
namespace {
using cases::PrintTo;
}  // namespace
}  // namespace tallowmere::test
