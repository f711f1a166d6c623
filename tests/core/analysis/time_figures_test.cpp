#include "analysis/time_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "actions/refresh.h"
#include "analysis/calendar_moment.h"
#include "analysis/time_shift.h"
#include "report_builder.h"
#include "text/text_conversions.h"

namespace quillfen {
namespace {

using testing::MakeReport;
using testing::TestTrade;

long long At(const char* date, const char* time) {
  return CellMinutes(date, time);
}

// Trades closing at these moments with these results, in grid rows 1, 2, ...
std::vector<ClosedTrade> Trades(std::initializer_list<std::pair<long long, double>> closes) {
  std::vector<ClosedTrade> trades;
  for (const auto& [close, result] : closes)
    trades.push_back({close, close - 60, result, static_cast<int>(trades.size()) + 1});
  return trades;
}

// A trade of the report builder closing then, with a result of pips * 10.
TestTrade ClosedAt(std::string ticket, std::string date, std::string time, std::string pips) {
  return {.ticket = std::move(ticket),
          .pips = std::move(pips),
          .openDate = date,
          .openTime = "00:00",
          .closeDate = date,
          .closeTime = std::move(time)};
}

TEST(TimeShift, HoursTextsAsTyped) {
  const struct {
    const char* text;
    std::optional<int> minutes;
  } cases[] = {
      {"0", 0},
      {"2", 120},
      {"-1.75", -105},
      {"+0.5", 30},
      {" 3 ", 180},
      {"24", 1440},
      {"-24", -1440},
      {"24.25", std::nullopt},
      {"0.1", std::nullopt},
      {"two", std::nullopt},
      {"", std::nullopt},
      {"1e1", std::nullopt},
      {"nan", std::nullopt},
      {"1.2.5", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"1,5", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TimeShiftMinutes(c.text), c.minutes) << c.text;
  for (int minutes : {0, 120, -105, 30, -1440, 15})
    EXPECT_EQ(TimeShiftMinutes(TimeShiftText(minutes)), minutes) << minutes;
  EXPECT_EQ(TimeShiftText(-105), "-1.75");
  EXPECT_EQ(TimeShiftText(120), "2");
}

TEST(CalendarMoment, MinutesOnTheCalendar) {
  EXPECT_EQ(MomentText(At("2024/02/29", "23:59")), "2024-02-29 23:59");
  EXPECT_EQ(MomentText(At("1999/12/31", "00:05") + 1440), "2000-01-01 00:05");
  EXPECT_EQ(MonthStart(2024, 13), At("2025/01/01", "00:00"));
  EXPECT_EQ(MonthStart(2024, 3), At("2024/03/01", "00:00"));
}

// Twelve months of 10 % each compound to 1.1^12 - 1 = 213.8 %; a month
// without a trade between them is shown, with none.
TEST(MonthlyReturns, MonthsCompoundIntoTheirYear) {
  std::vector<ClosedTrade> trades;
  double balance = 10000;
  for (int month = 1; month <= 12; ++month) {
    char date[16];
    std::snprintf(date, sizeof date, "2025/%02d/15", month);
    trades.push_back({At(date, "12:00"), 0, balance * 0.1, month});
    balance *= 1.1;
  }
  trades.push_back({At("2026/03/02", "09:00"), 0, -500, 13});
  const MonthlyReturns returns = MonthlyReturnsOf(trades, 10000);
  ASSERT_EQ(returns.months.size(), 15u);
  for (int m = 0; m < 12; ++m) {
    EXPECT_NEAR(returns.months[static_cast<std::size_t>(m)].returnPercent, 10, 1e-9) << m;
    EXPECT_EQ(returns.months[static_cast<std::size_t>(m)].trades, 1);
  }
  EXPECT_EQ(returns.months[12].year, 2026);
  EXPECT_EQ(returns.months[12].month, 1);
  EXPECT_EQ(returns.months[12].trades, 0);
  EXPECT_EQ(returns.months[12].returnPercent, 0);
  EXPECT_EQ(returns.months[14].month, 3);
  EXPECT_NEAR(returns.months[14].returnPercent, -500 * 100 / balance, 1e-9);
  ASSERT_EQ(returns.years.size(), 2u);
  EXPECT_EQ(returns.years[0].year, 2025);
  EXPECT_NEAR(returns.years[0].returnPercent, (std::pow(1.1, 12) - 1) * 100, 1e-9);
  EXPECT_EQ(std::round(returns.years[0].returnPercent * 10) / 10, 213.8);
  EXPECT_NEAR(returns.years[0].profit, balance - 10000, 1e-6);
  EXPECT_NEAR(returns.years[1].profit, -500, 1e-9);
}

TEST(MonthlyReturns, NoBalanceToTakeAReturnOf) {
  const MonthlyReturns returns = MonthlyReturnsOf(Trades({{At("2025/01/02", "10:00"), 5}}), 0);
  ASSERT_EQ(returns.months.size(), 1u);
  EXPECT_TRUE(std::isnan(returns.months[0].returnPercent));
  EXPECT_TRUE(std::isnan(returns.years[0].returnPercent));
  EXPECT_EQ(returns.months[0].profit, 5);
}

TEST(DrawdownEpisodes, RecoveredOpenAndEqualEpisodes) {
  // 1000 -> 1100 (peak) -> 990 (10 %) -> 1100 (recovered) -> 1210 (peak)
  // -> 1089 (10 %, equal) -> 1210 (recovered) -> 1000 (never recovers).
  const std::vector<ClosedTrade> trades = Trades({{At("2025/01/01", "10:00"), 100},
                                                  {At("2025/01/03", "10:00"), -110},
                                                  {At("2025/01/05", "12:00"), 110},
                                                  {At("2025/01/06", "10:00"), 110},
                                                  {At("2025/01/07", "10:00"), -121},
                                                  {At("2025/01/10", "10:00"), 121},
                                                  {At("2025/01/11", "10:00"), -110},
                                                  {At("2025/01/20", "10:00"), -100}});
  const std::vector<DrawdownEpisode> deepest = DeepestDrawdowns(trades, 1000);
  ASSERT_EQ(deepest.size(), 3u);
  // The open one, 310 of 1210, comes first.
  EXPECT_EQ(MomentText(deepest[0].start), "2025-01-10 10:00");
  EXPECT_EQ(MomentText(deepest[0].low), "2025-01-20 10:00");
  EXPECT_FALSE(deepest[0].recovery);
  EXPECT_FALSE(deepest[0].recoveryDays);
  EXPECT_NEAR(deepest[0].depth, 210, 1e-9);
  EXPECT_NEAR(deepest[0].depthPercent, 210 * 100.0 / 1210, 1e-9);
  EXPECT_EQ(deepest[0].days, 10);
  EXPECT_EQ(deepest[0].firstGridRow, 7);
  EXPECT_EQ(deepest[0].lastGridRow, 8);
  // Two of 10 %: the earlier first.
  EXPECT_EQ(MomentText(deepest[1].start), "2025-01-01 10:00");
  EXPECT_EQ(MomentText(deepest[1].low), "2025-01-03 10:00");
  EXPECT_EQ(MomentText(*deepest[1].recovery), "2025-01-05 12:00");
  EXPECT_NEAR(deepest[1].depthPercent, 10, 1e-9);
  EXPECT_EQ(deepest[1].days, 4);
  EXPECT_EQ(deepest[1].recoveryDays, 2);
  EXPECT_EQ(MomentText(deepest[2].start), "2025-01-06 10:00");
  EXPECT_NEAR(deepest[2].depthPercent, 10, 1e-9);
  EXPECT_EQ(deepest[2].days, 4);
}

TEST(DrawdownEpisodes, FromTheDepositAndNoMoreThanFive) {
  // A loss first: the peak is the deposit, from the first trade's open.
  std::vector<ClosedTrade> trades = Trades({{At("2025/03/02", "10:00"), -100}});
  DrawdownEpisode first = DeepestDrawdowns(trades, 1000).at(0);
  EXPECT_EQ(MomentText(first.start), "2025-03-02 09:00");
  EXPECT_NEAR(first.depthPercent, 10, 1e-12);

  std::vector<ClosedTrade> many;
  for (int i = 0; i < 8; ++i) {
    many.push_back({At("2025/03/02", "10:00") + i * 100, 0, -(i + 1.0), 2 * i + 1});
    many.push_back({At("2025/03/02", "10:00") + i * 100 + 50, 0, i + 1.0, 2 * i + 2});
  }
  const std::vector<DrawdownEpisode> five = DeepestDrawdowns(many, 1000);
  ASSERT_EQ(five.size(), 5u);
  for (std::size_t i = 0; i < five.size(); ++i) EXPECT_NEAR(five[i].depth, 8.0 - i, 1e-12);
}

// Through the refresh: the walk's results, the deposit in force and the shift.
TEST(TimeFigures, MonthBoundaryUnderTheShift) {
  Report report = MakeReport(
      {ClosedAt("1", "2025/01/31", "23:30", "10"), ClosedAt("2", "2025/01/31", "22:30", "-5")});
  RecomputeFigures(report);
  ASSERT_EQ(report.timeFigures.returns.months.size(), 1u);
  EXPECT_EQ(report.timeFigures.returns.months[0].trades, 2);
  EXPECT_DOUBLE_EQ(report.timeFigures.returns.months[0].profit, 50);

  report.options.timeShiftMinutes = 60;
  RecomputeFigures(report);
  const std::vector<MonthResult>& months = report.timeFigures.returns.months;
  ASSERT_EQ(months.size(), 2u);
  EXPECT_EQ(months[0].month, 1);
  EXPECT_DOUBLE_EQ(months[0].profit, -50);
  EXPECT_EQ(months[1].month, 2);
  EXPECT_EQ(months[1].trades, 1);
  EXPECT_DOUBLE_EQ(months[1].profit, 100);
  EXPECT_DOUBLE_EQ(months[1].returnPercent, 100 * 100.0 / (10000 - 50));
  // The episode's times move with the clock.
  ASSERT_EQ(report.timeFigures.drawdowns.size(), 1u);
  EXPECT_EQ(MomentText(report.timeFigures.drawdowns[0].low), "2025-01-31 23:30");
  EXPECT_EQ(MomentText(*report.timeFigures.drawdowns[0].recovery), "2025-02-01 00:30");
}

TEST(TimeFigures, OpenTradesAndUnreadableClosesAreLeftOut) {
  TestTrade open = ClosedAt("3", "2025/02/03", "", "40");
  open.closeDate.clear();
  Report report = MakeReport({ClosedAt("1", "2025/02/03", "10:00", "10"),
                              ClosedAt("2", "2025/13/45", "10:00", "20"), open});
  RecomputeFigures(report);
  const TimeFigures& figures = report.timeFigures;
  ASSERT_EQ(figures.returns.months.size(), 1u);
  EXPECT_EQ(figures.returns.months[0].trades, 1);
  EXPECT_DOUBLE_EQ(figures.returns.months[0].profit, 100);
  EXPECT_EQ(figures.unreadableCloses, 1);
  EXPECT_EQ(UnreadableClosesMessage(figures),
            "1 closed trade has a close date that cannot be read and is left out of the months "
            "and drawdowns.");
}

TEST(TimeFigures, EmptySelectionHasNoMonthsNorEpisodes) {
  Report report = MakeReport({});
  RecomputeFigures(report);
  EXPECT_TRUE(report.timeFigures.returns.months.empty());
  EXPECT_TRUE(report.timeFigures.returns.years.empty());
  EXPECT_TRUE(report.timeFigures.drawdowns.empty());
  EXPECT_EQ(UnreadableClosesMessage(report.timeFigures), "");
}

}  // namespace
}  // namespace quillfen
