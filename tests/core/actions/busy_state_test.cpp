// An allocation that fails within a sort or an add leaves no busy state
// behind: the report takes the next action and its window can close.
#include <gtest/gtest.h>

#include <new>

#include "../import/import_test_support.h"
#include "../support/failing_allocation.h"
#include "actions/opening_actions.h"
#include "actions/report_guard.h"
#include "actions/view_actions.h"

namespace quillfen {
namespace {

Report Opened(const std::string& fixture) {
  Report report;
  ProgramState state;
  NoProgress progress;
  MessageList messages;
  const OpenResult result = OpenStatement(
      FixturePath(fixture), "", [&report]() -> Report& { return report; }, state, progress,
      messages);
  EXPECT_EQ(result.outcome, OpenOutcome::opened);
  return report;
}

// Runs the action with its n-th allocation refused, for n = 1, 2, ... until
// it runs through; after each, the report is idle and takes a sort. Gives
// how many of its allocations were refused in turn.
template <class Run>
int RefuseEachAllocation(const Report& opened, Run run) {
  for (int n = 1;; ++n) {
    Report report = opened;
    ProgramState state;
    bool failed = false;
    {
      testing::FailingAllocation failing(n);
      try {
        run(report, state);
      } catch (const std::bad_alloc&) {
      }
      failed = failing.Failed();
    }
    EXPECT_EQ(report.busy, BusyWith::nothing) << "allocation " << n;
    NoProgress progress;
    EXPECT_TRUE(SortColumn(report, state, report.options, col::ticket, progress))
        << "allocation " << n;
    if (!failed || ::testing::Test::HasFailure()) return n - 1;
  }
}

TEST(BusyState, AnAllocationFailureInAColumnSortLeavesTheReportIdle) {
  const Report opened = Opened("statement_magic_comments.htm");
  const int refused = RefuseEachAllocation(opened, [](Report& report, ProgramState& state) {
    NoProgress progress;
    SortColumn(report, state, report.options, col::pips, progress);
  });
  EXPECT_GT(refused, 10);
}

TEST(BusyState, AnAllocationFailureInAnAddLeavesTheReportIdle) {
  const Report opened = Opened("tester_mini_lots.htm");
  const int refused = RefuseEachAllocation(opened, [](Report& report, ProgramState& state) {
    NoProgress progress;
    MessageList messages;
    AddStatement(report, FixturePath("tester_descending_tickets.htm"), "", state, progress,
                 messages);
  });
  EXPECT_GT(refused, 100);
}

}  // namespace
}  // namespace quillfen
