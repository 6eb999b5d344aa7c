#pragma once

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "ui/Form1.h"

namespace tallowmere {

// A main window over fakes: WithForm1<> for plain tests,
// WithForm1<::testing::TestWithParam<Case>> for tables of cases.
template <class Base = ::testing::Test>
class WithForm1 : public Base {
 protected:
  FakePlatform fake;
  Form1 form{fake.platform, fake.view};
};

}  // namespace tallowmere
