#include "analysis/terminal_view.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "analysis/trade_selection.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

bool IsDigitChar(char c) {
  return c >= '0' && c <= '9';
}

double Cents(double value) {
  return std::round(value * 100);
}

// A moment to the second: CellDateTime keeps minutes, the time text its seconds.
double MomentSeconds(std::string_view date, std::string_view time) {
  double seconds = std::round(CellDateTime(date, time) * 1440) * 60;
  if (time.size() >= 8 && time[5] == ':' && IsDigitChar(time[6]) && IsDigitChar(time[7]))
    seconds += (time[6] - '0') * 10 + (time[7] - '0');
  return seconds;
}

struct WalkEntry {
  double key = 0;                       // a statement's closing moment, a tester's closing row
  int row = 0;                          // of the grids
  const TesterClose* atStop = nullptr;  // the end of a test closed the trade
};

// A tester report's trades by the last closing row that names them.
using TesterCloses = std::unordered_map<std::string_view, std::size_t>;

TesterCloses IndexTesterCloses(const ReportStatistics& s) {
  TesterCloses closes;
  if (!s.testerReport) return closes;
  for (std::size_t i = 0; i < s.testerCloses.size(); ++i)
    closes.insert_or_assign(s.testerCloses[i].ticket, i);
  return closes;
}

// Statements: the closed trades of the grids by close time, equal times in
// the grids' order, which is the table's. Tester reports: in the order of
// their closing rows, the trades closed at the end of the test included,
// though the table keeps them open.
std::vector<WalkEntry> WalkOrder(const Report& report, const std::vector<WalkRow>& rows,
                                 const TesterCloses& closes) {
  const TextGrid& grid1 = report.grid1;
  const std::vector<TesterClose>& listed = report.stats.testerCloses;
  const bool tester = report.stats.testerReport;
  std::vector<WalkEntry> entries;
  entries.reserve(rows.size());
  for (int r = 1; r < grid1.RowCount(); ++r) {
    if (!rows[static_cast<std::size_t>(r)].trade) continue;
    const bool closed = !grid1.Cell(g1::closeDate, r).empty();
    if (!tester) {
      if (closed)
        entries.push_back(
            {MomentSeconds(grid1.Cell(g1::closeDate, r), grid1.Cell(g1::closeTime, r)), r});
      continue;
    }
    const auto found = closes.find(grid1.Cell(g1::ticket, r));
    const TesterClose* close = found == closes.end() ? nullptr : &listed[found->second];
    if (!closed && !(close && close->atStop)) continue;
    const double key = static_cast<double>(close ? found->second : listed.size());
    entries.push_back({key, r, closed ? nullptr : close});
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const WalkEntry& a, const WalkEntry& b) { return a.key < b.key; });
  return entries;
}

int TableRow(const Report& report, int gridRow) {
  const auto at = static_cast<std::size_t>(gridRow);
  return at < report.gridSourceRows.size() ? report.gridSourceRows[at] : -1;
}

// The grids carry no taxes: they come from the table row, per lot as sized.
double TaxesCents(const Report& report, int tableRow, double lots) {
  if (tableRow < 0) return 0;
  std::string_view perLot = report.full.Cell(col::taxesPerLot, tableRow);
  return perLot.empty() ? 0 : Cents(TextToAmount(perLot) * lots);
}

// A trade closed at the end of a test has only its printed profit, sized
// like the lots.
double AtStopCents(const Report& report, int tableRow, const TesterClose& close, double lots) {
  const double printedLots = tableRow < 0 ? 0 : TextToAmount(report.full.Cell(col::lots, tableRow));
  return Cents(printedLots != 0 ? close.profit * lots / printedLots : close.profit);
}

std::vector<WalkResult> Results(const Report& report, const std::vector<WalkRow>& rows,
                                const std::vector<WalkEntry>& entries) {
  std::vector<WalkResult> results;
  results.reserve(entries.size());
  for (const WalkEntry& entry : entries) {
    const WalkRow& in = rows[static_cast<std::size_t>(entry.row)];
    const int tableRow = TableRow(report, entry.row);
    const double cents = entry.atStop
                             ? AtStopCents(report, tableRow, *entry.atStop, in.lotsShown)
                             : Cents(in.profitShown) + Cents(in.commissionShown) +
                                   Cents(in.swapShown) + TaxesCents(report, tableRow, in.lotsShown);
    results.push_back({cents, report.grid1.Cell(g1::type, entry.row).starts_with("sell")});
  }
  return results;
}

// A statement's deposit: its balance before the first row, and the balance and
// credit rows before the walk's first trade. A typed deposit, a tester's
// printed one, and the one of a page without balance rows (an exported
// report's) stand as they are.
double DepositCents(const Report& report, double firstClosing) {
  const ReportStatistics& s = report.stats;
  if (s.testerReport || report.options.deposit != DepositChoice::statement || s.balanceRows.empty())
    return Cents(s.initialDeposit);
  double deposit = Cents(s.openingBalance);
  for (const BalanceRow& row : s.balanceRows)
    if (MomentSeconds(row.date, row.time) < firstClosing) deposit += Cents(row.amount);
  return deposit;
}

// The tester's net profit is its last printed balance less the deposit, which
// rounded Profit cells may miss by a cent; it holds for its own history only.
void TakeTesterBalance(const Report& report, const TesterCloses& closes, std::size_t walked,
                       TerminalFigures& figures) {
  const ReportStatistics& s = report.stats;
  if (!s.testerReport || s.testerFinalBalance == 0 || walked != closes.size()) return;
  if (report.options.sizing != SizingChoice::original ||
      report.options.deposit != DepositChoice::statement)
    return;
  figures.netProfit = Cents(s.testerFinalBalance) - figures.initialDeposit;
}

// A JPY account prints whole amounts: no Profit cell holds a decimal point.
int AccountDecimals(const Report& report) {
  const TradeTable& table = report.full;
  for (int row = 0; row < table.TradeRows(); ++row)
    if (table.Cell(col::profit, row).find('.') != std::string_view::npos) return 2;
  return table.TradeRows() > 0 ? 0 : 2;
}

// A list's own text for the item, which it matches without regard to case.
std::string_view ListItem(const SelectionList& list, std::string_view item) {
  const int at = list.Find(item);
  return at < 0 ? item : std::string_view(list.Item(at));
}

TradeBreakdown Breakdown(const Report& report, const std::vector<WalkEntry>& entries,
                         const std::vector<WalkResult>& results) {
  std::vector<std::string_view> symbols;
  std::vector<std::string_view> magics;
  symbols.reserve(entries.size());
  magics.reserve(entries.size());
  for (const WalkEntry& entry : entries) {
    symbols.push_back(ListItem(report.pairsListBox, report.grid1.Cell(g1::symbol, entry.row)));
    std::string_view magic = report.grid2.Cell(g2::magic, entry.row);
    magics.push_back(ListItem(report.magicListBox, magic.empty() ? kNoMagicItem : magic));
  }
  // In the lists' order; an item no list holds goes last.
  auto rankIn = [](const SelectionList& list) {
    return [&list](std::string_view item) {
      const int at = list.Find(item);
      return at < 0 ? std::numeric_limits<int>::max() : at;
    };
  };
  return {BreakdownBy(results, symbols, rankIn(report.pairsListBox)),
          BreakdownBy(results, magics, rankIn(report.magicListBox))};
}

}  // namespace

void BuildTerminalFigures(Report& report) {
  if (report.stats.sortInProgress) return;
  const std::vector<WalkRow>& rows = report.walkCache.Rows(report.grid1, report.grid2);
  const TesterCloses closes = IndexTesterCloses(report.stats);
  const std::vector<WalkEntry> entries = WalkOrder(report, rows, closes);
  report.terminalFigures.clear();
  report.terminalMemo.clear();
  report.breakdown = {};
  if (entries.empty()) return;
  const std::vector<WalkResult> results = Results(report, rows, entries);
  TerminalFigures figures = ComputeTerminalFigures(results, DepositCents(report, entries[0].key));
  TakeTesterBalance(report, closes, entries.size(), figures);
  const FigureStyle style{report.stats.testerReport,
                          report.stats.testerReport ? 2 : AccountDecimals(report)};
  report.terminalFigures = TerminalFigureLines(figures, style);
  report.terminalMemo = FigureMemoLines(report.terminalFigures);
  report.breakdown = Breakdown(report, entries, results);
}

}  // namespace quillfen
