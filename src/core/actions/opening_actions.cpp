#include "actions/opening_actions.h"

#include <cstdio>
#include <new>

#include "actions/report_guard.h"
#include "analysis/printed_figure_text.h"
#include "analysis/summary_text.h"
#include "analysis/trade_selection.h"
#include "import/statement_converter.h"
#include "import/statement_road.h"
#include "import/ticket_sort.h"
#include "settings/recent_files.h"

namespace quillfen {

namespace {

OpenResult Outcome(const StatementRead& read) {
  switch (read.outcome) {
    case ReadOutcome::read:
      return {OpenOutcome::opened, {}, read.warning};
    case ReadOutcome::notStatement:
      return {OpenOutcome::notStatement, {}, {}};
    case ReadOutcome::outOfMemory:
      return {OpenOutcome::outOfMemory, read.reason, {}};
    case ReadOutcome::failed:
      break;
  }
  return {OpenOutcome::failed, read.reason, {}};
}

// What a read adds to a report: its trades (rows with a symbol; a row 0 that
// only took a magic line holds none) and its balance operations, by their sums.
struct ReadYield {
  int trades = 0;
  double deposits = 0, withdrawals = 0, interest = 0, rebates = 0, fees = 0;
  bool operator==(const ReadYield&) const = default;
};

// A report read afresh only asks whether it holds any trade: its count then
// stops at the first, not after a walk over every row.
ReadYield YieldOf(const Report& report, bool anyTradeIsEnough = false) {
  ReadYield yield;
  for (int r = 0; r < report.full.TradeRows() && !(anyTradeIsEnough && yield.trades > 0); ++r)
    yield.trades += !report.full.Cell(col::symbol, r).empty();
  const ReportStatistics& s = report.stats;
  yield.deposits = s.depositTotal;
  yield.withdrawals = s.withdrawalTotal;
  yield.interest = s.interestTotal;
  yield.rebates = s.rebateTotal;
  yield.fees = s.feeTotal;
  return yield;
}

// Both lists afresh with every item selected, then the views, in the order
// the window draws them after a read.
void ShowReadTrades(Report& report, Progress& progress, int pumps,
                    const ChartPainter& paintCharts) {
  struct PumpScope {
    Report& report;
    ~PumpScope() { report.fillPump = nullptr; }
  } scope{report};
  report.fillPump = &progress;
  FillSymbolList(report.full, report.options.display, report.pairsListBox, &progress);
  FillMagicList(report.full, report.magicListBox, &progress);
  for (int i = 0; i < pumps; ++i) progress.Pump();
  RebuildGrids(report);
  RecomputeFigures(report);
  if (paintCharts) paintCharts(report);
  BuildSummaryText(report);
  report.printedMemo = PrintedMemoLines(report.stats.printedFigures);
}

}  // namespace

OpenResult OpenStatement(const StatementFile& file, const std::string& workingFile,
                         const NewReport& newReport, ProgramState& state, Progress& progress,
                         Messages& messages, const ChartPainter& paintCharts, OpenViews views,
                         const ReportShown& shown) {
  if (!IsStatementFile(file.path)) return {};
  Report& report = newReport();
  BusyScope filling(report, BusyWith::filling);
  progress.Pump();
  OpenResult result = Outcome(ConvertAndReadStatement(report.full, report.stats, file.path,
                                                      workingFile, false, progress, messages));
  if (!workingFile.empty()) std::remove(workingFile.c_str());
  if (result.outcome != OpenOutcome::opened) return result;
  result.foundNothing = YieldOf(report, true) == ReadYield{};
  report.statements.push_back(file.listedName);
  try {
    if (views == OpenViews::all) ShowReadTrades(report, progress, 2, paintCharts);
  } catch (const std::bad_alloc&) {
    return {OpenOutcome::outOfMemory, "not enough memory to show " + file.listedName, {}};
  }
  state.armedSortColumn = col::closeDate;  // the reader's order stands
  if (shown) shown(report, result);
  return result;
}

OpenResult AddStatement(Report& report, const StatementFile& file, const std::string& workingFile,
                        ProgramState& state, Progress& progress, Messages& messages,
                        const ChartPainter& paintCharts) {
  if (ReportIsBusy(report)) return {OpenOutcome::refused, {}, {}};
  BusyScope filling(report, BusyWith::filling);
  const ReadYield before = YieldOf(report);
  OpenResult result = Outcome(ConvertAndReadStatement(report.full, report.stats, file.path,
                                                      workingFile, true, progress, messages));
  if (result.outcome != OpenOutcome::opened) return result;
  result.foundNothing = YieldOf(report) == before;
  report.statements.push_back(file.listedName);
  report.deletions.clear();
  SortByTicket(report.full);
  ShowReadTrades(report, progress, 1, paintCharts);
  state.armedSortColumn = col::closeDate;
  SortAndRefresh(report, state, col::closeDate, progress, paintCharts);
  return result;
}

bool OpenRequestedReport(const ReportRequest& request, ProgramState& state,
                         const std::string& filesFolder, const std::function<void()>& open) {
  state.PageSource = request.pageSource;
  state.ReportName = request.reportName;
  open();
  if (!request.remembered || !AddRecentFile(state.recentFiles, request.reportName)) return false;
  SaveRecentFiles(filesFolder, state.recentFiles);
  return true;
}

std::optional<std::string> SwitchStatement(const Report& report, int index) {
  if (index < 0 || index >= static_cast<int>(report.statements.size())) return std::nullopt;
  return report.statements[static_cast<std::size_t>(index)];
}

std::string OpenFailureMessage(const std::string& name, const OpenResult& result) {
  if (result.outcome == OpenOutcome::outOfMemory) return "Not enough memory to read " + name;
  return name + " could not be read: " + result.reason;
}

}  // namespace quillfen
