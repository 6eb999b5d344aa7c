#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "CaseName.h"
#include "fakes/FakePlatform.h"
#include "shell/ErrorReport.h"
#include "shell/ErrorTrap.h"

namespace tallowmere {
namespace {

// A handler of every shape the trap must resume from. Each action is logged
// by name and throws when its name is among the failing ones.
class SampleHandler {
 public:
  SampleHandler(std::set<std::string> failing, std::string description)
      : failing_(std::move(failing)), description_(std::move(description)) {}

  std::vector<std::string> Run(Dialogs& dialogs) {
    ErrorTrap trap(dialogs, "Sample");
    trap.Step(100, [&] { Do("first"); });
    trap.Step(102, [&] { Do("second"); });
    trap.Step(102, [&] { Do("second too"); });
    const auto test = [&] {
      Do("test");
      return false;
    };
    if (trap.Test(104, test)) trap.Step(106, [&] { Do("guarded"); });
    int round = 0;
    const auto advance = [&] {
      Do("advance " + std::to_string(round));
      return round < 2;
    };
    trap.Loop(108, advance, [&] {
      trap.Step(110, [&] { Do("round " + std::to_string(round)); });
      ++round;
    });
    trap.Step(112, [&] { Callee(); });
    trap.Step(114, [&] { Do("last"); });
    return log_;
  }

 private:
  void Callee() {
    Do("callee");
    Do("callee rest");
  }
  void Do(const std::string& name) {
    log_.push_back(name);
    if (failing_.count(name)) throw AppError(description_);
  }

  std::set<std::string> failing_;
  std::string description_;
  std::vector<std::string> log_;
};

const std::vector<std::string> kFullRun = {"first",     "second",  "second too",  "test",
                                           "advance 0", "round 0", "advance 1",   "round 1",
                                           "advance 2", "callee",  "callee rest", "last"};

struct ResumptionCase {
  std::string name;
  std::set<std::string> failing;
  std::vector<std::string> log;
  std::vector<int> reportedLines;
};

class ErrorTrapResumption : public ::testing::TestWithParam<ResumptionCase> {};

TEST_P(ErrorTrapResumption, ReportsEachFailureAndGoesOnAtTheNextStep) {
  const ResumptionCase& c = GetParam();
  FakeDialogs dialogs;
  EXPECT_EQ(SampleHandler(c.failing, "Failure").Run(dialogs), c.log);
  std::vector<std::string> expected;
  for (int line : c.reportedLines) {
    expected.push_back(ErrorReportMessage("Failure", "in Quorvane2021/08/31.Form1.Sample ", line,
                                          kSupportAddress));
  }
  std::vector<std::string> shown;
  for (const ShownDialog& d : dialogs.shown) shown.push_back(d.text);
  EXPECT_EQ(shown, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorTrapResumption,
    ::testing::Values(
        ResumptionCase{"NoFailure", {}, kFullRun, {}},
        ResumptionCase{
            "PlainStepGoesOnWithTheNextStatementOfTheSameLine", {"second"}, kFullRun, {102}},
        ResumptionCase{"FirstStepReportsLine100", {"first"}, kFullRun, {100}},
        ResumptionCase{"FailedTestRunsTheGuardedStep",
                       {"test"},
                       {"first", "second", "second too", "test", "guarded", "advance 0", "round 0",
                        "advance 1", "round 1", "advance 2", "callee", "callee rest", "last"},
                       {104}},
        ResumptionCase{
            "FailedFirstAdvanceSkipsTheLoopOnItsOwnLine",
            {"advance 0"},
            {"first", "second", "second too", "test", "advance 0", "callee", "callee rest", "last"},
            {108}},
        ResumptionCase{"FailedLaterAdvanceEndsTheLoopOnTheBodysLine",
                       {"advance 1"},
                       {"first", "second", "second too", "test", "advance 0", "round 0",
                        "advance 1", "callee", "callee rest", "last"},
                       {110}},
        ResumptionCase{"FailureInALoopBodyGoesOnWithTheNextRound", {"round 0"}, kFullRun, {110}},
        ResumptionCase{"FailureInACalleeAbandonsItsRestAndReportsTheCallsLine",
                       {"callee"},
                       {"first", "second", "second too", "test", "advance 0", "round 0",
                        "advance 1", "round 1", "advance 2", "callee", "last"},
                       {112}},
        ResumptionCase{"TwoFailuresGiveTwoBoxesInOrder", {"first", "last"}, kFullRun, {100, 114}}),
    CaseName());

TEST(ErrorTrap, CountedLoopRunsFromFirstToLast) {
  FakeDialogs dialogs;
  ErrorTrap trap(dialogs, "Sample");
  std::vector<int> seen;
  trap.For(100, 1, 4, [&](int i) { seen.push_back(i); });
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
  trap.For(102, 0, -1, [&](int i) { seen.push_back(i); });
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ErrorTrap, EmptyDescriptionStartsTheMessageWithTheLineBreak) {
  FakeDialogs dialogs;
  SampleHandler({"last"}, "").Run(dialogs);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(
      dialogs.shown[0].text.rfind("\r\nin Quorvane2021/08/31.Form1.Sample at line 114\r\r", 0), 0u);
}

TEST(ErrorTrap, AFailureOfTheBoxItselfIsNotCaught) {
  class BrokenDialogs : public Dialogs {
   public:
    void Show(const std::string&, const std::string&, DialogIcon) override {
      throw std::runtime_error("no box");
    }
  } dialogs;
  EXPECT_THROW(SampleHandler({"first"}, "x").Run(dialogs), std::runtime_error);
}

TEST(ErrorReport, BoxIsApplicationErrorWithExclamationAndTheBuildsAddress) {
  FakeDialogs dialogs;
  ShowErrorReport(dialogs, "in Quorvane2021/08/31.Form1.Timer1 ", 150, "Path not found");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "Application Error");
  EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Exclamation);
  EXPECT_EQ(dialogs.shown[0].text,
            "Path not found\r\nin Quorvane2021/08/31.Form1.Timer1 at line 150\r\r"
            "Please email screenshot of this message to " +
                std::string(kSupportAddress));
  EXPECT_NE(kSupportAddress.find('@'), std::string_view::npos);
}

}  // namespace
}  // namespace tallowmere
