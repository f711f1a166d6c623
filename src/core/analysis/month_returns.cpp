#include "analysis/month_returns.h"

#include <cmath>
#include <limits>

#include "analysis/calendar_moment.h"

namespace quillfen {

namespace {

double ReturnPercent(double profit, double startBalance) {
  return startBalance > 0 ? profit * 100 / startBalance : std::numeric_limits<double>::quiet_NaN();
}

void AddYears(MonthlyReturns& returns) {
  for (const MonthResult& month : returns.months) {
    if (returns.years.empty() || returns.years.back().year != month.year)
      returns.years.push_back({month.year, 0, 0});
    YearResult& year = returns.years.back();
    year.profit += month.profit;
    // Kept as the growth factor less 1 until the year is done.
    year.returnPercent = (1 + year.returnPercent) * (1 + month.returnPercent / 100) - 1;
  }
  for (YearResult& year : returns.years) year.returnPercent *= 100;
}

}  // namespace

MonthlyReturns MonthlyReturnsOf(std::span<const ClosedTrade> byClose, double deposit) {
  MonthlyReturns returns;
  if (byClose.empty()) return returns;
  double balance = deposit;
  CalendarMoment first = MomentOn(byClose.front().close);
  int year = first.year;
  int month = first.month;
  long long end = MonthStart(year, month + 1);
  MonthResult current{year, month, 0, 0, 0};
  double startBalance = balance;
  auto close = [&] {
    current.returnPercent = ReturnPercent(current.profit, startBalance);
    returns.months.push_back(current);
  };
  for (const ClosedTrade& trade : byClose) {
    // Months without a trade on the way are shown too, with none.
    while (trade.close >= end) {
      close();
      startBalance = balance;
      month = month % 12 + 1;
      year += month == 1;
      end = MonthStart(year, month + 1);
      current = {year, month, 0, 0, 0};
    }
    current.profit += trade.result;
    ++current.trades;
    balance += trade.result;
  }
  close();
  AddYears(returns);
  return returns;
}

}  // namespace quillfen
