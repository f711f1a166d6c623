#include "actions/view_actions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>

#include "../import/import_test_support.h"
#include "actions/export_actions.h"
#include "actions/opening_actions.h"
#include "actions/simulation_actions.h"
#include "analysis/trade_deletion.h"

namespace quillfen {
namespace {

std::string Rows(const Report& report) {
  std::string text;
  auto add = [&](const auto& grid) {
    for (int row = 0; row < grid.RowCount(); ++row)
      for (int column = 0; column < grid.Columns(); ++column)
        text.append(grid.Cell(column, row)).push_back('|');
  };
  add(report.full);
  add(report.grid1);
  for (const std::string& line : report.summaryMemo) text += line;
  return text;
}

struct Action {
  const char* name;
  // True when the action reports that it was applied.
  std::function<bool(Report&, ProgramState&, const ReportOptions&)> run;
};

// Each action with options that change what it shows: narrower selections, a
// sort, a deletion, a display filter and another deposit.
std::vector<Action> Actions(const std::string& folder) {
  return {
      {"select",
       [](Report& r, ProgramState&, const ReportOptions& o) {
         ListSelections s = CurrentSelections(r);
         s.pairs.assign(s.pairs.size(), false);
         s.pairs[0] = true;
         return SelectTrades(r, o, s);
       }},
      {"display",
       [](Report& r, ProgramState&, const ReportOptions& o) {
         ReportOptions closed = o;
         closed.display = DisplayFilter::open;
         return FilterDisplay(r, closed);
       }},
      {"options",
       [](Report& r, ProgramState&, const ReportOptions& o) {
         ReportOptions deposit = o;
         deposit.deposit = DepositChoice::custom;
         deposit.depositText = "123";
         return ApplyOptions(r, deposit);
       }},
      {"sort",
       [](Report& r, ProgramState& state, const ReportOptions& o) {
         NoProgress progress;
         return SortColumn(r, state, o, col::pips, progress);
       }},
      {"delete",
       [](Report& r, ProgramState&, const ReportOptions& o) {
         return DeleteGridRows(r, o, {1, 2}) >= 0;
       }},
      {"csv",
       [folder](Report& r, ProgramState& state, const ReportOptions& o) {
         return ExportCsvReport(r, state, o, folder + "/out.csv").outcome != ExportOutcome::refused;
       }},
      {"html",
       [folder](Report& r, ProgramState&, const ReportOptions& o) {
         return ExportHtmlReport(r, o, {folder + "/out.htm", "t", false}, nullptr).outcome !=
                ExportOutcome::refused;
       }},
      {"simulate",
       [](Report& r, ProgramState& state, const ReportOptions& o) {
         ReportOptions small = o;
         small.simulation.numRunsText = "10";
         NoProgress progress;
         return StartSimulation(r, state, small, progress) != SimulationStart::refused;
       }},
  };
}

TEST(ViewActions, NothingChangesRowsThatAreBeingFilledOrSorted) {
  TempDir dir;
  for (const Action& action : Actions(dir.File(""))) {
    for (int busy = 0; busy < 3; ++busy) {
      Report report;
      PrepareReport(report);
      ASSERT_TRUE(OpenReport(report, FixturePath("statement_magic_comments.htm")));
      ProgramState state;
      report.busy = busy == 1   ? BusyWith::filling
                    : busy == 2 ? BusyWith::sorting
                                : BusyWith::nothing;
      const std::string before = Rows(report);
      const bool applied = action.run(report, state, report.options);
      if (busy == 0) {
        EXPECT_TRUE(applied) << action.name;
      } else {
        EXPECT_FALSE(applied) << action.name << " busy " << busy;
        EXPECT_EQ(Rows(report), before) << action.name << " busy " << busy;
        EXPECT_EQ(report.options.depositText, ReportOptions{}.depositText) << action.name;
      }
    }
  }
}

TEST(ViewActions, UndoRefusesWhileBusyAndEndsWithAReordering) {
  Report report;
  PrepareReport(report);
  ASSERT_TRUE(OpenReport(report, FixturePath("statement_magic_comments.htm")));
  ProgramState state;
  const std::string original = Rows(report);
  ASSERT_GT(DeleteGridRows(report, report.options, {1, 2}), 0);
  const std::string deleted = Rows(report);
  report.busy = BusyWith::sorting;
  EXPECT_EQ(UndoGridDeletion(report, report.options), -1);
  EXPECT_EQ(Rows(report), deleted);
  report.busy = BusyWith::nothing;
  EXPECT_EQ(UndoGridDeletion(report, report.options), 2);
  EXPECT_EQ(Rows(report), original);

  NoProgress progress;
  for (auto reorder : std::vector<std::function<bool()>>{
           [&] { return SortColumn(report, state, report.options, col::pips, progress); },
           [&] { return FilterDisplay(report, report.options); }}) {
    ASSERT_GT(DeleteGridRows(report, report.options, {1}), 0);
    ASSERT_TRUE(reorder());
    EXPECT_EQ(UndoGridDeletion(report, report.options), 0);
  }
}

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TEST(ViewActions, SelectionsByNameTellTheNamesTheReportDoesNotHold) {
  Report report;
  PrepareReport(report);
  ASSERT_TRUE(OpenReport(report, FixturePath("statement_analysis_mix.htm")));
  const SelectionList& pairs = report.pairsListBox;
  const SelectionList& magics = report.magicListBox;
  ASSERT_GE(pairs.Size(), 2);
  ASSERT_GE(magics.Size(), 2);

  const NamedSelections known =
      SelectionsNamed(report, {Lowered(pairs.Item(1))}, {magics.Item(0), magics.Item(1)});
  EXPECT_TRUE(known.unknownSymbols.empty());
  EXPECT_TRUE(known.unknownMagics.empty());
  std::vector<bool> second(static_cast<std::size_t>(pairs.Size()), false);
  second[1] = true;
  EXPECT_EQ(known.selections.pairs, second);
  EXPECT_EQ(std::count(known.selections.magics.begin(), known.selections.magics.end(), true), 2);

  // Nothing of an unknown name is selected, and it is told, not dropped.
  const NamedSelections unknown = SelectionsNamed(report, {"nosuch"}, {"4242", magics.Item(0)});
  EXPECT_EQ(unknown.unknownSymbols, std::vector<std::string>{"nosuch"});
  EXPECT_EQ(unknown.unknownMagics, std::vector<std::string>{"4242"});
  EXPECT_EQ(std::count(unknown.selections.pairs.begin(), unknown.selections.pairs.end(), true), 0);

  // No names leave a list as it stands.
  const NamedSelections none = SelectionsNamed(report, {}, {});
  EXPECT_EQ(none.selections.pairs, CurrentSelections(report).pairs);
  EXPECT_EQ(none.selections.magics, CurrentSelections(report).magics);
}

// Two statements of one account added together share their tickets; with one
// symbol shown, a ticket's Delete and Undo touch the shown trade alone.
TEST(ViewActions, DeleteAndUndoTakeTheShownRowOfASharedTicket) {
  std::ifstream file(FixturePath("statement_magic_comments.htm"), std::ios::binary);
  std::string page{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  for (std::size_t at; (at = page.find("eurusd")) != std::string::npos;)
    page.replace(at, 6, "gbpusd");
  TempDir dir;
  Report report;
  PrepareReport(report);
  ASSERT_TRUE(OpenReport(report, FixturePath("statement_magic_comments.htm")));
  ProgramState state;
  NoProgress progress;
  MessageList messages;
  ASSERT_EQ(AddStatement(report, dir.Write("gbpusd.htm", page), dir.File("Quillfen.tmp"), state,
                         progress, messages)
                .outcome,
            OpenOutcome::opened);
  ListSelections shown = CurrentSelections(report);
  ASSERT_EQ(report.pairsListBox.Items(), (std::vector<std::string>{"eurusd", "gbpusd"}));
  shown.pairs = {false, true};
  ASSERT_TRUE(SelectTrades(report, report.options, shown));
  const std::string original = Rows(report);
  auto rowsOf = [&](std::string_view symbol) {
    int count = 0;
    for (int row = 0; row < report.full.TradeRows(); ++row)
      count += report.full.Cell(col::ticket, row) == "202" &&
               report.full.Cell(col::symbol, row) == symbol;
    return count;
  };

  const int row = FindGridRow(report.grid1, "202");
  ASSERT_GT(row, 0);
  EXPECT_EQ(DeleteGridRows(report, report.options, {row}), 1);
  EXPECT_EQ(rowsOf("eurusd"), 1);
  EXPECT_EQ(rowsOf("gbpusd"), 0);
  EXPECT_EQ(FindGridRow(report.grid1, "202"), -1);
  EXPECT_EQ(UndoGridDeletion(report, report.options), 1);
  EXPECT_EQ(Rows(report), original);
}

TEST(ViewActions, TheOptionsRecordIsTakenWhole) {
  Report report;
  PrepareReport(report);
  ASSERT_TRUE(OpenReport(report, FixturePath("statement_magic_comments.htm")));
  ReportOptions options = report.options;
  options.maxStandardLotsText = "7";
  options.simulation.accuracyText = "95";
  options.csvFieldSemicolon = false;
  ASSERT_TRUE(ApplyOptions(report, options));
  EXPECT_EQ(report.options.maxStandardLotsText, "7");
  EXPECT_EQ(report.options.simulation.accuracyText, "95");
  EXPECT_FALSE(report.options.csvFieldSemicolon);
}

}  // namespace
}  // namespace quillfen
