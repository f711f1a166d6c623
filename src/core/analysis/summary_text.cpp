#include "analysis/summary_text.h"

#include <cmath>
#include <string_view>

#include "analysis/statistics.h"
#include "text/number_format.h"

namespace quillfen {

namespace {

// A label-value pair in the left column and one in the right, as "%Ws" fields.
std::string TwoColumns(std::string_view left, const std::string& leftValue, std::string_view right,
                       const std::string& rightValue) {
  std::string line(left);
  line += leftValue;
  line += right;
  line += rightValue;
  return line;
}

std::string Money(double value, int width) {
  return FormatFixed(value, width, 2);
}
std::string Tenths(double value, int width) {
  return FormatFixed(value, width, 1);
}
// "%Wd" of an integer, or of a figure's whole part (cut toward zero) without
// an int conversion that could overflow.
std::string Whole(double value, int width) {
  return FormatFixed(std::trunc(value), width, 0);
}

void AppendTotals(const ReportStatistics& s, std::vector<std::string>& lines) {
  if ((s.depositTotal != 0 && s.depositTotal != s.initialDeposit) || s.withdrawalTotal != 0)
    lines.push_back(TwoColumns("Total deposits           ", Money(s.depositTotal, 12),
                               "              Total withdrawals       ",
                               Money(s.withdrawalTotal, 14)));
  if (s.feeTotal != 0 || s.rebateTotal != 0)
    lines.push_back(TwoColumns("Total rebates            ", Money(s.rebateTotal, 12),
                               "              Fees                    ", Money(s.feeTotal, 14)));
  if (s.initialDeposit == 0) return;
  std::string days = "(" + Whole(s.periodDays, 0) + " days)";
  if (days.size() < 11) days.append(11 - days.size(), ' ');
  lines.push_back(TwoColumns("Return " + days + "       ", Tenths(s.returnPercent, 12) + "%",
                             "             Maximum drawdown percentage   ",
                             Tenths(s.maxDrawdownPercent, 8) + "%"));
  lines.push_back("                                                   Maximum drawdown          " +
                  Whole(s.maxDrawdown, 12));
}

}  // namespace

std::vector<std::string> SummaryLines(const VisibleGrid& grid1, const ReportStatistics& s) {
  std::vector<std::string> lines;
  if (grid1.Cell(0, 1).empty()) return lines;
  lines.push_back(TwoColumns("Net profit               ", Money(s.netProfit, 12),
                             "              Initial deposit         ",
                             Money(s.initialDeposit, 14)));
  lines.push_back(TwoColumns("Gross profit             ", Money(s.grossProfit, 12),
                             "              Interest earned         ",
                             Money(s.swapTotal + s.interestTotal, 14)));
  lines.push_back(TwoColumns("Gross loss               ", Money(-s.grossLoss, 12),
                             "              Commission paid         ",
                             Money(std::fabs(s.commissionTotal), 14)));
  lines.push_back("Total lots traded        " + Money(s.totalLots, 12));
  lines.emplace_back();
  lines.push_back(TwoColumns("Total number of trades   ", Whole(s.tradeCount, 12),
                             "              Percentage profitable   ",
                             Tenths(s.percentProfitable, 14) + "%"));
  lines.push_back(TwoColumns("Total number of pips     ", Tenths(s.totalPips, 12),
                             "              Average pips per trade  ", Tenths(s.averagePips, 14)));
  lines.push_back(TwoColumns("Total number of pips (per lot) ", Tenths(s.totalPipsPerLot, 6),
                             "              Average pips per trade (per lot)",
                             Tenths(s.averagePipsPerLot, 6)));
  lines.emplace_back();
  lines.push_back(TwoColumns("Number of winning trades   ", Whole(s.winCount, 10),
                             "              Number of losing trades  ", Whole(s.lossCount, 13)));
  lines.push_back(TwoColumns("Average winning trade    ", Money(s.averageWin, 12),
                             "              Average losing trade    ", Money(s.averageLoss, 14)));
  lines.push_back(TwoColumns("Average winning pips     ", Tenths(s.averageWinPips, 12),
                             "              Average losing pips     ",
                             Tenths(s.averageLossPips, 14)));
  lines.push_back(TwoColumns("Average winning pips (per lot) ", Tenths(s.averageWinPipsPerLot, 6),
                             "              Average losing pips (per lot) ",
                             Tenths(s.averageLossPipsPerLot, 8)));
  if (s.averageLoss != 0)
    lines.push_back("Avg win / avg loss       " + Tenths(-s.averageWin / s.averageLoss, 12));
  lines.emplace_back();
  lines.push_back(TwoColumns("Largest winning trade    ", Money(s.largestWin, 12),
                             "              Largest losing trade    ", Money(s.largestLoss, 14)));
  lines.push_back(TwoColumns("Largest winning pips     ", Tenths(s.largestWinPips, 12),
                             "              Largest losing pips     ",
                             Tenths(s.largestLossPips, 14)));
  lines.emplace_back();
  AppendTotals(s, lines);
  return lines;
}

}  // namespace quillfen
