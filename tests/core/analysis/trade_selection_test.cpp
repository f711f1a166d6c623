#include "analysis/trade_selection.h"

#include <gtest/gtest.h>

#include "report_builder.h"

namespace quillfen {
namespace {

using testing::MakeReport;
using testing::TestTrade;

std::vector<std::string> GridTickets(const Report& report) {
  std::vector<std::string> tickets;
  for (int r = 1; r < report.grid1.RowCount(); ++r) tickets.emplace_back(report.grid1.Cell(0, r));
  return tickets;
}

using Tickets = std::vector<std::string>;

TestTrade Open(TestTrade t) {
  t.closeDate.clear();
  t.closeTime.clear();
  return t;
}

TEST(FillSymbolList, FirstOccurrenceOrderCaseInsensitiveWithoutHashSymbols) {
  Report report = MakeReport({{.ticket = "1", .symbol = "GBPUSD"},
                              {.ticket = "2", .symbol = "EURUSD"},
                              {.ticket = "3", .symbol = "eurusd"},
                              {.ticket = "4", .symbol = "#AAPL"},
                              {.ticket = "5", .symbol = "gbpusd"}});
  EXPECT_EQ(report.pairsListBox.Items(), (Tickets{"GBPUSD", "EURUSD"}));
  EXPECT_TRUE(report.pairsListBox.IsSelected(0) && report.pairsListBox.IsSelected(1));
  // A tester symbol in lower case matches the statement's capitals; "#" never shows.
  EXPECT_EQ(GridTickets(report), (Tickets{"1", "2", "3", "5"}));
}

TEST(FillSymbolList, FollowsTheDisplayFilter) {
  struct Case {
    DisplayFilter filter;
    Tickets symbols;
    Tickets shown;
  };
  const Case cases[] = {
      {DisplayFilter::all, {"EURUSD", "USDJPY"}, {"1", "2", "3", "4"}},
      {DisplayFilter::closed, {"EURUSD", "USDJPY"}, {"1", "3"}},
      {DisplayFilter::open, {"USDJPY", "EURUSD"}, {"2", "4"}},
  };
  for (const Case& c : cases) {
    Report report = MakeReport({{.ticket = "1"},
                                Open({.ticket = "2", .symbol = "USDJPY"}),
                                {.ticket = "3", .symbol = "USDJPY"},
                                Open({.ticket = "4"})});
    report.options.display = c.filter;
    FillSymbolList(report.full, report.options.display, report.pairsListBox);
    RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
    EXPECT_EQ(report.pairsListBox.Items(), c.symbols) << static_cast<int>(c.filter);
    EXPECT_EQ(GridTickets(report), c.shown) << static_cast<int>(c.filter);
  }
}

TEST(FillSymbolList, OpenOnlyWithoutOpenTradesLeavesOneBlankRow) {
  Report report = MakeReport({{.ticket = "1"}, {.ticket = "2"}});
  report.options.display = DisplayFilter::open;
  FillSymbolList(report.full, report.options.display, report.pairsListBox);
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  EXPECT_TRUE(report.pairsListBox.Empty());
  ASSERT_EQ(report.grid1.RowCount(), 2);
  ASSERT_EQ(report.grid2.RowCount(), 2);
  for (int c = 0; c < kGrid1Columns; ++c) EXPECT_EQ(report.grid1.Cell(c, 1), "") << c;
  for (int c = 0; c < kGrid2Columns; ++c) EXPECT_EQ(report.grid2.Cell(c, 1), "") << c;
  EXPECT_EQ(report.grid1.Cell(0, 0), "Ticket");
}

TEST(FillMagicList, NoneFirstOnlyWhenATradeHasNoMagic) {
  Report withNone = MakeReport({{.ticket = "1", .magic = "7"},
                                {.ticket = "2"},
                                {.ticket = "3", .magic = "5"},
                                {.ticket = "4", .magic = "7"}});
  EXPECT_EQ(withNone.magicListBox.Items(), (Tickets{"None", "7", "5"}));
  Report allMagic = MakeReport({{.ticket = "1", .magic = "7"}, {.ticket = "2", .magic = "5"}});
  EXPECT_EQ(allMagic.magicListBox.Items(), (Tickets{"7", "5"}));
}

TEST(RebuildTradeGrids, SelectionsFilterTheRows) {
  Report report = MakeReport({{.ticket = "1", .symbol = "EURUSD", .magic = "7"},
                              {.ticket = "2", .symbol = "GBPUSD"},
                              {.ticket = "3", .symbol = "EURUSD"},
                              {.ticket = "4", .symbol = "GBPUSD", .magic = "5"}});
  report.magicListBox.SetSelected(0, false);  // "None"
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  EXPECT_EQ(GridTickets(report), (Tickets{"1", "4"}));

  report.magicListBox.SelectAll();
  report.pairsListBox.SetSelected(1, false);  // GBPUSD
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  EXPECT_EQ(GridTickets(report), (Tickets{"1", "3"}));

  // Nothing selected in either list: everything is selected again.
  report.pairsListBox.SelectNone();
  report.magicListBox.SelectNone();
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  EXPECT_EQ(GridTickets(report), (Tickets{"1", "2", "3", "4"}));
  EXPECT_TRUE(report.pairsListBox.IsSelected(1) && report.magicListBox.IsSelected(0));
}

TEST(RebuildTradeGrids, CopiesTheColumnsOfBothGrids) {
  Report report;
  WriteGridHeaders(report);
  TradeTable& t = report.full;
  t.SetRowCount(2);
  for (int c = 0; c < TradeTable::kDataColumns; ++c) t.SetCell(c, 0, "c" + std::to_string(c));
  FillSymbolList(report.full, report.options.display, report.pairsListBox);
  FillMagicList(report.full, report.magicListBox);
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  // Column 14 (the marker) and the unused column 15 are empty; so is the Balance
  // cell, from the table's balanceSlot, which keeps nothing written to it.
  EXPECT_EQ(t.Cell(col::balanceSlot, 0), "");
  const std::vector<std::string> expected1 = {"c0", "c1",  "c2",  "c3",  "c4",  "c5",  "c6",
                                              "c9", "c10", "c11", "c12", "c20", "c19", "",
                                              "",   "",    "c25", "c16", "c17"};
  const std::vector<std::string> expected2 = {"c0",  "c1",  "c2",  "c3",  "c6",  "c7", "c8",
                                              "c11", "c13", "c14", "c19", "c24", "c23"};
  for (int c = 0; c < kGrid1Columns; ++c) EXPECT_EQ(report.grid1.Cell(c, 1), expected1[c]) << c;
  for (int c = 0; c < kGrid2Columns; ++c) EXPECT_EQ(report.grid2.Cell(c, 1), expected2[c]) << c;
  EXPECT_EQ(report.grid1.Cell(13, 0), "Balance");
  EXPECT_EQ(report.grid2.Cell(12, 0), "Magic");
}

}  // namespace
}  // namespace quillfen
