#include "report_builder.h"

#include "analysis/trade_selection.h"

namespace quillfen::testing {

void AddTrade(Report& report, const TestTrade& t) {
  TradeTable& table = report.full;
  int row = table.RowCount() - 1;
  table.SetCell(col::ticket, row, t.ticket);
  table.SetCell(col::type, row, t.type);
  table.SetCell(col::lots, row, t.lots);
  table.SetCell(col::symbol, row, t.symbol);
  table.SetCell(col::openDate, row, t.openDate);
  table.SetCell(col::openTime, row, t.openTime);
  table.SetCell(col::closeDate, row, t.closeDate);
  table.SetCell(col::closeTime, row, t.closeTime);
  table.SetCell(col::duration, row, t.duration);
  table.SetCell(col::commissionPerLot, row, t.commissionPerLot);
  table.SetCell(col::swapPerLot, row, t.swapPerLot);
  table.SetCell(col::profit, row, t.profit);
  table.SetCell(col::pips, row, t.pips);
  table.SetCell(col::magic, row, t.magic);
  table.SetCell(col::pipValuePerLot, row, t.pipValuePerLot);
  table.SetRowCount(row + 2);
}

Report MakeReport(std::initializer_list<TestTrade> trades, const std::string& deposit) {
  Report report;
  WriteGridHeaders(report);
  report.options.deposit = DepositChoice::custom;
  report.options.depositText = deposit;
  // An empty table has two empty rows; the first trade goes into row 0.
  if (trades.size() > 0) report.full.SetRowCount(1);
  for (const TestTrade& t : trades) AddTrade(report, t);
  FillSymbolList(report.full, report.options.display, report.pairsListBox);
  FillMagicList(report.full, report.magicListBox);
  RebuildTradeGrids(report, report.pairsListBox, report.magicListBox, report.options.display);
  return report;
}

}  // namespace quillfen::testing
