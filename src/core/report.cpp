#include "report.h"

#include <array>

#include "analysis/statistics.h"
#include "analysis/summary_text.h"
#include "analysis/terminal_view.h"
#include "analysis/trade_selection.h"

namespace quillfen {

namespace {

constexpr std::array<const char*, 14> kGrid1Headers = {
    "Ticket",     "Type", "Lots",  "Symbol",   "Open date", "Time",   "Open",
    "Close date", "Time", "Close", "Duration", "Pips",      "Profit", "Balance"};
constexpr std::array<const char*, kGrid2Columns> kGrid2Headers = {
    "Ticket", "Type", "Lots", "Symbol", "Open",    "S/L",  "T/P",
    "Close",  "Comm", "Swap", "Profit", "Comment", "Magic"};

}  // namespace

void WriteGridHeaders(Report& report) {
  for (int c = 0; c < static_cast<int>(kGrid1Headers.size()); ++c)
    report.grid1.SetCell(c, 0, kGrid1Headers[static_cast<std::size_t>(c)]);
  for (int c = 0; c < kGrid2Columns; ++c)
    report.grid2.SetCell(c, 0, kGrid2Headers[static_cast<std::size_t>(c)]);
}

void FullRefresh(Report& report, const ChartPainter& paintCharts) {
  RebuildTradeGrids(report);
  RecomputeStatistics(report);
  BuildTerminalFigures(report);
  BuildSummaryText(report);
  if (paintCharts) paintCharts(report);
}

}  // namespace quillfen
