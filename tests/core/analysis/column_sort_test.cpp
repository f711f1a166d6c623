#include "analysis/column_sort.h"

#include <gtest/gtest.h>

#include <random>

#include "actions/refresh.h"
#include "analysis/statistics.h"
#include "report_builder.h"
#include "twins/exchange_sort.h"

namespace quillfen {
namespace {

using testing::MakeReport;
using testing::TestTrade;
using Texts = std::vector<std::string>;

// Small pools, so that equal keys are common; "9:30" against "10:00",
// "09:30" against "09:30:00" and "0.1" against "0.10" try text and number
// comparisons. Odd shapes ("9:30", "2011.1.3") take the sort off its integer keys.
TradeTable RandomTable(std::mt19937& random, int rows, bool oddShapes) {
  const Texts tickets = {"1", "2", "3", "10", "-4", ""};
  const Texts lots = {"0.10", "0.1", "1.00", "0.50", "", "x"};
  Texts dates = {"2011/01/03", "2011/01/04", "2010/12/31", ""};
  Texts times = {"09:30", "10:00", "23:59", "", "09:30:00", "09:30:59", "10:00:01"};
  if (oddShapes) {
    dates.push_back("2011.1.3");
    times.push_back("9:30");
  }
  const Texts pips = {"-5", "0", "5", "10.5", "abc", "-0"};
  const Texts magics = {"",
                        "7",
                        "12",
                        "007",
                        "5.9",
                        "2147483648",
                        "4000000000",
                        "-3",
                        "9007199254740993",
                        "9007199254740992",
                        "99999999999999999999"};
  auto pick = [&random](const Texts& pool) {
    return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
  };
  TradeTable table;
  table.SetRowCount(rows + 1);
  for (int r = 0; r < rows; ++r) {
    table.SetCell(col::ticket, r, pick(tickets));
    table.SetCell(col::lots, r, pick(lots));
    table.SetCell(col::symbol, r, "EURUSD");
    table.SetCell(col::openDate, r, pick(dates));
    table.SetCell(col::openTime, r, pick(times));
    table.SetCell(col::closeDate, r, pick(dates));
    table.SetCell(col::closeTime, r, pick(times));
    table.SetCell(col::pips, r, pick(pips));
    table.SetCell(col::magic, r, pick(magics));
    table.SetCell(col::comment, r, "row" + std::to_string(r));
  }
  table.SetCell(col::ticket, rows, "99");  // a balance line's leftovers in the spare row
  return table;
}

Texts Column(const TradeTable& table, int column) {
  Texts cells;
  for (int r = 0; r < table.RowCount(); ++r) cells.emplace_back(table.Cell(column, r));
  return cells;
}

TEST(OrderTradeRows, EqualsTheExchangeProcedureOnRandomTables) {
  std::mt19937 random(20110103);
  const int columns[] = {col::ticket,   col::lots, col::openDate, col::closeDate,
                         col::duration, col::pips, col::magic};
  for (int round = 0; round < 400; ++round) {
    const int rows = round % 12;
    TradeTable original = RandomTable(random, rows, round % 3 == 0);
    for (int column : columns) {
      for (int lastSortColumn : {-1, column}) {
        TradeTable fast = original;
        TradeTable literal = original;
        OrderTradeRows(fast, column, lastSortColumn);
        testing::ExchangeSortTradeRows(literal, column, lastSortColumn);
        for (int c = 0; c < TradeTable::kDataColumns; ++c)
          ASSERT_EQ(Column(fast, c), Column(literal, c))
              << "round " << round << " column " << column << " last " << lastSortColumn;
      }
    }
  }
}

TEST(OrderTradeRows, MagicNumbersSortWholeBeyond32And53Bits) {
  const Texts magics = {"9007199254740993", "4294967296", "2147483648", "",
                        "9007199254740992", "2147483647", "18"};
  TradeTable table;
  table.SetRowCount(static_cast<int>(magics.size()) + 1);
  for (std::size_t r = 0; r < magics.size(); ++r) {
    table.SetCell(col::symbol, static_cast<int>(r), "EURUSD");
    table.SetCell(col::magic, static_cast<int>(r), magics[r]);
  }
  OrderTradeRows(table, col::magic, -1);
  Texts sorted = Column(table, col::magic);
  sorted.pop_back();  // the spare row
  EXPECT_EQ(sorted, (Texts{"", "18", "2147483647", "2147483648", "4294967296", "9007199254740992",
                           "9007199254740993"}));
}

TEST(HeaderSortColumn, ArmsTheTradeTableColumnOfEachSortableHeader) {
  struct Case {
    int grid;
    int header;
    int column;
  };
  const Case cases[] = {
      {1, 0, col::ticket},
      {1, 1, -1},
      {1, 2, col::lots},
      {1, 3, -1},
      {1, 4, col::openDate},
      {1, 5, col::openDate},
      {1, 6, -1},
      {1, 7, col::closeDate},
      {1, 8, col::closeDate},
      {1, 9, -1},
      {1, 10, col::duration},
      {1, 11, col::pips},
      {1, 12, -1},
      {1, 13, -1},
      {1, 14, -1},
      {2, 0, col::ticket},
      {2, 2, -1},
      {2, 11, -1},
      {2, 12, col::magic},
      {1, -1, -1},
      {2, 13, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HeaderSortColumn(c.grid, c.header), c.column) << c.grid << " " << c.header;
}

TEST(HeaderShowsArmed, SilverHeadersOfTheArmedColumn) {
  struct Case {
    int grid;
    int armed;
    std::vector<int> silver;
  };
  const Case cases[] = {
      {1, col::ticket, {0}},
      {2, col::ticket, {0}},
      {1, col::duration, {10}},
      {1, col::pips, {11}},
      {1, col::lots, {2}},
      {2, col::lots, {2}},
      {1, col::openDate, {4, 5}},
      {1, col::closeDate, {7, 8}},
      {2, col::closeDate, {}},
      {2, col::magic, {}},
      {1, -1, {}},
  };
  for (const Case& c : cases) {
    std::vector<int> silver;
    for (int header = 0; header < 15; ++header)
      if (HeaderShowsArmed(c.grid, header, c.armed)) silver.push_back(header);
    EXPECT_EQ(silver, c.silver) << c.grid << " " << c.armed;
  }
}

Report SortReport() {
  // Tickets name the rows; ties are common on purpose.
  return MakeReport({
      {.ticket = "5",
       .lots = "0.50",
       .pips = "10",
       .openDate = "2011/01/04",
       .openTime = "09:00",
       .closeDate = "2011/01/05",
       .closeTime = "10:00",
       .magic = "12"},
      {.ticket = "3",
       .lots = "2.00",
       .pips = "-20",
       .openDate = "2011/01/03",
       .openTime = "12:00",
       .closeDate = "",
       .closeTime = "",
       .magic = "7"},
      {.ticket = "4",
       .lots = "0.50",
       .pips = "30",
       .openDate = "2011/01/03",
       .openTime = "12:00",
       .closeDate = "2011/01/05",
       .closeTime = "10:00"},
      {.ticket = "1",
       .lots = "1.00",
       .pips = "-5",
       .openDate = "2011/01/02",
       .openTime = "08:00",
       .closeDate = "",
       .closeTime = "",
       .magic = "12"},
      {.ticket = "2",
       .lots = "1.00",
       .pips = "0",
       .openDate = "2011/01/03",
       .openTime = "11:00",
       .closeDate = "2011/01/03",
       .closeTime = "23:00",
       .magic = "7"},
  });
}

Texts GridTickets(const Report& report) {
  Texts tickets;
  for (int r = 1; r < report.grid1.RowCount(); ++r) tickets.emplace_back(report.grid1.Cell(0, r));
  return tickets;
}

TEST(SortTradeTable, EveryRuleWithItsTies) {
  struct Case {
    int column;
    Texts order;
  };
  const Case cases[] = {
      {col::ticket, {"1", "2", "3", "4", "5"}},
      // First double click descending; of equal lots the later row comes first.
      {col::lots, {"3", "2", "1", "4", "5"}},
      {col::openDate, {"1", "2", "4", "3", "5"}},
      // Closed trades by close moment, then open trades by open time alone.
      {col::closeDate, {"2", "4", "5", "1", "3"}},
      {col::pips, {"4", "5", "2", "1", "3"}},
      {col::duration, {"4", "5", "2", "1", "3"}},
      {col::magic, {"4", "2", "3", "1", "5"}},
  };
  for (const Case& c : cases) {
    Report report = SortReport();
    ProgramState state;
    NoProgress progress;
    SortAndRefresh(report, state, c.column, progress);
    EXPECT_EQ(GridTickets(report), c.order) << c.column;
    EXPECT_EQ(report.full.Cell(col::symbol, report.full.RowCount() - 1), "") << c.column;
  }
}

TEST(SortTradeTable, TogglingColumnsAlternateAndTheStateIsShared) {
  Report report = SortReport();
  Report other = SortReport();
  ProgramState state;
  NoProgress progress;
  SortAndRefresh(report, state, col::lots, progress);
  EXPECT_EQ(GridTickets(report), (Texts{"3", "2", "1", "4", "5"}));
  EXPECT_EQ(state.lastSortColumn, col::lots);
  // The second sort, in another window, runs ascending; equal lots reverse again.
  SortAndRefresh(other, state, col::lots, progress);
  EXPECT_EQ(GridTickets(other), (Texts{"4", "5", "2", "1", "3"}));
  EXPECT_EQ(state.lastSortColumn, -1);
  SortAndRefresh(report, state, col::lots, progress);
  EXPECT_EQ(GridTickets(report), (Texts{"3", "1", "2", "5", "4"}));
  // Another column in between resets the toggle to its first direction.
  SortAndRefresh(report, state, col::pips, progress);
  SortAndRefresh(report, state, col::ticket, progress);
  EXPECT_EQ(state.lastSortColumn, col::ticket);
  SortAndRefresh(report, state, col::pips, progress);
  EXPECT_EQ(GridTickets(report), (Texts{"4", "5", "2", "1", "3"}));
}

// The arrow tells the order the rows stand in now, on the armed header only.
TEST(HeaderSortArrow, FollowsTheWindowsLastSortOnTheArmedHeader) {
  Report report = SortReport();
  ProgramState state;
  NoProgress progress;
  auto arrows = [&](int grid) {
    std::vector<int> shown;
    for (int header = 0; header < 15; ++header)
      shown.push_back(HeaderSortArrow(grid, header, state.armedSortColumn, report.sortedBy));
    return shown;
  };
  const std::vector<int> none(15, 0);
  state.armedSortColumn = col::closeDate;
  EXPECT_EQ(arrows(1), none);  // as read: silver, no arrow
  SortAndRefresh(report, state, col::closeDate, progress);
  std::vector<int> closeTime = none;
  closeTime[8] = 1;  // the time header beside "Close date"
  EXPECT_EQ(arrows(1), closeTime);

  state.armedSortColumn = col::lots;
  EXPECT_EQ(arrows(1), none);  // armed, but the rows are in close order
  SortAndRefresh(report, state, col::lots, progress);
  std::vector<int> lotsDown = none;
  lotsDown[2] = -1;
  EXPECT_EQ(arrows(1), lotsDown);
  EXPECT_EQ(arrows(2), lotsDown);  // Grid2's silver Lots header too
  SortAndRefresh(report, state, col::lots, progress);
  EXPECT_EQ(arrows(1)[2], 1);

  state.armedSortColumn = -1;  // a press on the rows disarms: no silver, no arrow
  EXPECT_EQ(arrows(1), none);
  state.armedSortColumn = col::magic;
  SortAndRefresh(report, state, col::magic, progress);
  EXPECT_EQ(arrows(2), none);  // the magic header is never silver
}

TEST(SortTradeTable, NothingWithoutARuleOrTrades) {
  ProgramState state;
  NoProgress progress;
  Report report = SortReport();
  for (int column : {-1, col::symbol, col::profit, 40}) {
    SortAndRefresh(report, state, column, progress);
    EXPECT_EQ(GridTickets(report), (Texts{"5", "3", "4", "1", "2"})) << column;
  }
  Report empty = MakeReport({});
  SortAndRefresh(empty, state, col::lots, progress);
  EXPECT_EQ(state.lastSortColumn, -1);
  EXPECT_EQ(empty.full.RowCount(), 2);
}

// Checks what a window would see while the sort lets it process events.
class RecordingProgress final : public Progress {
 public:
  explicit RecordingProgress(Report& report) : report_(report) {}
  void SetRange(long long maximum) override { range = maximum; }
  void SetPosition(long long position) override { positions.push_back(position); }
  void Advance(long long) override {}
  void Pump() override {
    ++pumps;
    guarded = guarded && report_.busy == BusyWith::sorting;
    RecomputeStatistics(report_, report_.stats,
                        report_.options);  // a tab change meanwhile returns at once
    ProgramState nested;
    SortAndRefresh(report_, nested, col::ticket, *this);  // and so does a second sort
  }
  long long range = 0;
  std::vector<long long> positions;
  int pumps = 0;
  bool guarded = true;

 private:
  Report& report_;
};

TEST(SortTradeTable, ReportsProgressAndGuardsTheWindowMeanwhile) {
  Report report = SortReport();
  RecomputeStatistics(report, report.stats, report.options);
  ProgramState state;
  RecordingProgress progress(report);
  SortAndRefresh(report, state, col::pips, progress);
  EXPECT_EQ(progress.range, 5 * 4 / 2);
  EXPECT_EQ(progress.positions, (std::vector<long long>{0, 10}));
  EXPECT_GE(progress.pumps, 1);
  EXPECT_TRUE(progress.guarded);
  EXPECT_EQ(report.busy, BusyWith::nothing);
  EXPECT_EQ(GridTickets(report), (Texts{"4", "5", "2", "1", "3"}));
}

TEST(SortTradeTable, TheRefreshFollowsTheNewOrder) {
  Report report = MakeReport({{.ticket = "1", .pips = "-50", .pipValuePerLot = "1"},
                              {.ticket = "2", .pips = "100", .pipValuePerLot = "1"},
                              {.ticket = "3", .pips = "-20", .pipValuePerLot = "1"}});
  RecomputeStatistics(report, report.stats, report.options);
  EXPECT_DOUBLE_EQ(report.stats.maxDrawdownPercent, 50 * 100.0 / 10000);
  ProgramState state;
  NoProgress progress;
  SortAndRefresh(report, state, col::pips, progress);  // winners first: the peak comes first
  EXPECT_DOUBLE_EQ(report.stats.maxDrawdownPercent, 70 * 100.0 / 10100);
  EXPECT_EQ(report.grid1.Cell(13, 1), "     10100.00");
  EXPECT_FALSE(report.summaryMemo.empty());
}

}  // namespace
}  // namespace quillfen
