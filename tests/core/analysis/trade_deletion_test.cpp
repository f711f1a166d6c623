#include "analysis/trade_deletion.h"

#include <gtest/gtest.h>

#include <random>

#include "actions/view_actions.h"
#include "analysis/trade_selection.h"
#include "report_builder.h"

namespace quillfen {
namespace {

using testing::MakeReport;
using Texts = std::vector<std::string>;

// The Delete key and Undo as the window takes them: the change, then the refresh.
int Delete(Report& report, const std::vector<int>& gridRows) {
  return DeleteGridRows(report, report.options, gridRows);
}

int Undo(Report& report, const ChartPainter& paintCharts = {}) {
  return UndoGridDeletion(report, report.options, paintCharts);
}

Texts GridTickets(const Report& report) {
  Texts tickets;
  for (int r = 1; r < report.grid1.RowCount(); ++r) tickets.emplace_back(report.grid1.Cell(0, r));
  return tickets;
}

Report DeletionReport() {
  Report report = MakeReport({{.ticket = "1", .symbol = "EURUSD", .magic = "7"},
                              {.ticket = "2", .symbol = "GBPUSD"},
                              {.ticket = "3", .symbol = "eurusd", .magic = "5"},
                              {.ticket = "4", .symbol = "USDJPY", .magic = "7"}});
  report.full.SetCell(col::ticket, 4, "99");  // leftovers of a balance line in the spare row
  return report;
}

TEST(DeleteTrades, RemovesTheRowsAndTheItemsNoLongerUsed) {
  Report report = DeletionReport();
  ASSERT_EQ(report.magicListBox.Items(), (Texts{"None", "7", "5"}));
  EXPECT_EQ(Delete(report, {2, 4}), 2);  // tickets 2 and 4
  EXPECT_EQ(GridTickets(report), (Texts{"1", "3"}));
  EXPECT_EQ(report.full.RowCount(), 3);
  for (int c = 0; c < TradeTable::kDataColumns; ++c) EXPECT_EQ(report.full.Cell(c, 2), "") << c;
  EXPECT_EQ(report.pairsListBox.Items(), (Texts{"EURUSD"}));
  // "None" goes with the last trade without a magic number.
  EXPECT_EQ(report.magicListBox.Items(), (Texts{"7", "5"}));
  EXPECT_FALSE(report.summaryMemo.empty());

  // A symbol stays while a trade of it in another letter case remains.
  EXPECT_EQ(Delete(report, {1}), 1);
  EXPECT_EQ(report.pairsListBox.Items(), (Texts{"EURUSD"}));
  EXPECT_EQ(report.magicListBox.Items(), (Texts{"5"}));
}

TEST(DeleteTrades, KeepsTheListSelectionsOfTheRemainingItems) {
  Report report = DeletionReport();
  report.pairsListBox.SetSelected(2, false);  // USDJPY hidden
  report.magicListBox.SetSelected(2, false);  // magic 5 hidden
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  ASSERT_EQ(GridTickets(report), (Texts{"1", "2"}));
  Delete(report, {2});
  EXPECT_EQ(GridTickets(report), (Texts{"1"}));
  EXPECT_EQ(report.magicListBox.Items(), (Texts{"7", "5"}));
  EXPECT_FALSE(report.magicListBox.IsSelected(1));
}

TEST(DeleteTrades, TheOnlyTradeOfOneSymbolStays) {
  Report report = MakeReport({{.ticket = "1"}});
  EXPECT_EQ(Delete(report, {1}), 0);
  EXPECT_EQ(GridTickets(report), (Texts{"1"}));
  // With a second symbol in the list the last visible trade can go.
  Report two = MakeReport({{.ticket = "1"}, {.ticket = "2", .symbol = "GBPUSD"}});
  two.pairsListBox.SetSelected(1, false);
  RebuildTradeGrids(two, two.pairsListBox, two.magicListBox, two.options.display);
  EXPECT_EQ(Delete(two, {1}), 1);
  EXPECT_EQ(two.pairsListBox.Items(), (Texts{"GBPUSD"}));
  EXPECT_EQ(GridTickets(two), (Texts{"2"}));
}

TEST(DeleteTrades, EachGridRowRemovesTheTableRowItShows) {
  Report report = MakeReport(
      {{.ticket = "7", .symbol = "EURUSD"}, {.ticket = "8"}, {.ticket = "7", .symbol = "GBPUSD"}});
  EXPECT_EQ(Delete(report, {3}), 1);  // the second 7, not the first
  EXPECT_EQ(report.full.Cell(col::symbol, 0), "EURUSD");
  EXPECT_EQ(report.full.TradeRows(), 2);
  EXPECT_EQ(GridTickets(report), (Texts{"7", "8"}));
  Report both = MakeReport({{.ticket = "7"}, {.ticket = "8"}, {.ticket = "7"}});
  EXPECT_EQ(Delete(both, {1, 3, 3}), 2);
  EXPECT_EQ(GridTickets(both), (Texts{"8"}));

  // A trade hidden by the selection keeps its row though a shown one has its ticket.
  Report hidden = MakeReport({{.ticket = "7", .symbol = "EURUSD", .magic = "1"},
                              {.ticket = "7", .symbol = "GBPUSD", .magic = "2"}});
  hidden.pairsListBox.SetSelected(0, false);
  RebuildTradeGrids(hidden, hidden.pairsListBox, hidden.magicListBox, hidden.options.display);
  ASSERT_EQ(GridTickets(hidden), (Texts{"7"}));
  EXPECT_EQ(Delete(hidden, {1}), 1);
  EXPECT_EQ(hidden.full.TradeRows(), 1);
  EXPECT_EQ(hidden.full.Cell(col::symbol, 0), "EURUSD");
  EXPECT_EQ(hidden.pairsListBox.Items(), (Texts{"EURUSD"}));
  EXPECT_EQ(hidden.magicListBox.Items(), (Texts{"1"}));
  EXPECT_EQ(Undo(hidden), 1);
  EXPECT_EQ(hidden.full.Cell(col::symbol, 1), "GBPUSD");
  EXPECT_EQ(hidden.pairsListBox.Items(), (Texts{"EURUSD", "GBPUSD"}));
}

TEST(DeleteTrades, UnknownRowsAndTicketsDoNothing) {
  Report report = DeletionReport();
  report.summaryMemo = {"untouched"};
  EXPECT_EQ(Delete(report, {0, -3, 17}), 0);
  EXPECT_EQ(FindGridRow(report.grid1, "12345"), -1);
  EXPECT_EQ(FindGridRow(report.grid1, ""), -1);
  EXPECT_EQ(FindGridRow(report.grid1, "3"), 3);
  EXPECT_EQ(report.summaryMemo, Texts{"untouched"});
  EXPECT_EQ(report.full.RowCount(), 5);
}

// The trade rows cell by cell, the lists with their selections, and the grids.
std::string Everything(const Report& report) {
  std::string text;
  for (int row = 0; row < report.full.TradeRows(); ++row)
    for (int c = 0; c < TradeTable::kColumns; ++c) text.append(report.full.Cell(c, row)) += '|';
  for (const SelectionList* list : {&report.pairsListBox, &report.magicListBox})
    for (int i = 0; i < list->Size(); ++i)
      text += list->Item(i) + (list->IsSelected(i) ? "+" : "-");
  for (const VisibleGrid* grid : {&report.grid1, &report.grid2})
    for (int row = 0; row < grid->RowCount(); ++row)
      for (int c = 0; c < grid->Columns(); ++c) text.append(grid->Cell(c, row)) += '|';
  for (const std::string& line : report.summaryMemo) text += line;
  return text;
}

// Deletes by ticket in a row against the plain road, FindGridRow and a
// refreshed Delete for each: random tables with repeated tickets, hidden
// symbols and magic numbers, and tickets that take whole symbols and the
// last trades of a window.
TEST(DeleteTickets, EqualsEachTicketsDeleteInTurn) {
  std::mt19937 random(13);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const char* symbols[] = {"EURUSD", "gbpusd", "GBPUSD", "USDJPY"};
  const char* magics[] = {"", "7", "8"};
  for (int round = 0; round < 200; ++round) {
    Report plain = MakeReport({});
    plain.full.SetRowCount(1);
    const int trades = 1 + pick(12);
    for (int t = 0; t < trades; ++t)
      testing::AddTrade(plain, {.ticket = std::to_string(1 + pick(6)),
                                .symbol = symbols[pick(std::size(symbols))],
                                .magic = magics[pick(std::size(magics))]});
    FillSymbolList(plain.full, plain.options.display, plain.pairsListBox);
    FillMagicList(plain.full, plain.magicListBox);
    for (int i = 0; i < plain.pairsListBox.Size(); ++i)
      plain.pairsListBox.SetSelected(i, pick(3) != 0);
    for (int i = 0; i < plain.magicListBox.Size(); ++i)
      plain.magicListBox.SetSelected(i, pick(4) != 0);
    FullRefresh(plain);
    Report batched = plain;
    std::vector<std::string> tickets;
    for (int k = pick(10); k > 0; --k) tickets.push_back(std::to_string(pick(8)));
    int removed = 0;
    for (const std::string& ticket : tickets)
      if (int row = FindGridRow(plain.grid1, ticket); row > 0) removed += Delete(plain, {row});
    EXPECT_EQ(DeleteTicketRows(batched, batched.options, tickets), removed) << round;
    ASSERT_EQ(Everything(batched), Everything(plain)) << round;
  }
}

TEST(RestoreDeletedTrades, PutsBackEachDeletionWhereItWasLatestFirst) {
  Report report = DeletionReport();
  report.magicListBox.SetSelected(0, false);  // "None" hidden: ticket 2 not shown
  FullRefresh(report);
  const std::string original = Everything(report);
  EXPECT_EQ(Undo(report), 0);

  ASSERT_EQ(Delete(report, {3}), 1);  // ticket 4, with USDJPY
  const std::string afterFirst = Everything(report);
  ASSERT_EQ(Delete(report, {1, 2}), 2);  // tickets 1 and 3, with EURUSD, 7 and 5
  ASSERT_EQ(report.pairsListBox.Items(), (Texts{"GBPUSD"}));
  int repaints = 0;
  EXPECT_EQ(Undo(report, [&](Report&) { ++repaints; }), 2);
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(Everything(report), afterFirst);
  EXPECT_EQ(Undo(report), 1);
  EXPECT_EQ(Everything(report), original);
  EXPECT_EQ(report.full.RowCount(), 5);
  EXPECT_EQ(Undo(report), 0);
}

TEST(RestoreDeletedTrades, EqualTicketsComeBackInTheirOwnRows) {
  Report report = MakeReport(
      {{.ticket = "7", .symbol = "EURUSD"}, {.ticket = "8"}, {.ticket = "7", .symbol = "GBPUSD"}});
  FullRefresh(report);
  const std::string original = Everything(report);
  ASSERT_EQ(Delete(report, {1, 3}), 2);
  EXPECT_EQ(Undo(report), 2);
  EXPECT_EQ(Everything(report), original);
}

}  // namespace
}  // namespace quillfen
