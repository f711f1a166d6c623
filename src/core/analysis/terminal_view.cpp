#include "analysis/terminal_view.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_map>

#include "analysis/key_order.h"
#include "analysis/tester_close_index.h"
#include "analysis/trade_selection.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

double Cents(double value) {
  return std::round(value * 100);
}

// A moment to the second: CellDateTime keeps whole minutes, the time text
// its seconds. A moment that cannot be read (0) or lies before 1900 comes first.
std::uint64_t MomentSeconds(double cellDateTime, std::string_view time) {
  const double minutes = std::round(cellDateTime * 1440);
  if (!(minutes > 0)) return 0;
  std::uint64_t seconds = static_cast<std::uint64_t>(std::min(minutes, 1e15)) * 60;
  if (time.size() >= 8 && time[5] == ':' && IsDigit(time[6]) && IsDigit(time[7]))
    seconds += static_cast<std::uint64_t>((time[6] - '0') * 10 + (time[7] - '0'));
  return seconds;
}

// Short texts compared in line: the library's compare costs a call per trade.
bool StartsWith(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i)
    if (text[i] != start[i]) return false;
  return true;
}

struct SameText {
  bool operator()(std::string_view a, std::string_view b) const {
    return a.size() == b.size() && StartsWith(a, b);
  }
};

// Groups the trades' items as the list matches them, without regard to case:
// the list's items first, in its order, then any it does not hold.
class ItemGroups {
 public:
  explicit ItemGroups(const SelectionList& list) : list_(list), items_(list.Items()) {}

  int Of(std::string_view text) {
    // Neighbouring trades mostly share their item: the last answer stands.
    if (last_ >= 0 && SameText()(text, lastText_)) return last_;
    auto [at, added] = seen_.try_emplace(text, 0);
    if (added) {
      const int listed = list_.Find(text);
      at->second = listed >= 0 ? listed : static_cast<int>(items_.size());
      if (listed < 0) items_.emplace_back(text);
    }
    lastText_ = text;
    return last_ = at->second;
  }
  const std::vector<std::string>& Items() const { return items_; }

 private:
  const SelectionList& list_;
  std::vector<std::string> items_;
  std::unordered_map<std::string_view, int, std::hash<std::string_view>, SameText> seen_;
  std::string_view lastText_;
  int last_ = -1;
};

int TableRow(const Report& report, int gridRow) {
  return report.grid1.TableRow(gridRow);
}

// The grids carry no taxes: they come from the table row, per lot as sized.
double TaxesCents(const Report& report, int tableRow, double lots) {
  if (tableRow < 0 || !report.stats.taxesListed) return 0;
  std::string_view perLot = report.full.Cell(col::taxesPerLot, tableRow);
  return perLot.empty() ? 0 : Cents(TextToAmount(perLot) * lots);
}

// A trade closed at the end of a test has only its printed profit, sized
// like the lots.
double AtStopCents(const Report& report, int tableRow, const TesterClose& close, double lots) {
  const double printedLots = tableRow < 0 ? 0 : TextToAmount(report.full.Cell(col::lots, tableRow));
  return Cents(printedLots != 0 ? close.profit * lots / printedLots : close.profit);
}

// The walk over the grids' trades. Statements: the closed trades by close
// time, equal times in the grids' order, which is the table's. Tester
// reports: in the order of their closing rows, the trades closed at the end
// of the test included, though the table keeps them open.
class TerminalWalk {
 public:
  TerminalWalk(const Report& report, const TesterCloseIndex& closes)
      : report_(report),
        closes_(closes),
        symbols_(report.pairsListBox),
        magics_(report.magicListBox) {}

  void Take(const std::vector<WalkRow>& rows, TerminalWalkCache& walk) {
    walk.trades.clear();
    walk.trades.reserve(rows.size());
    std::vector<KeyedIndex> order;
    order.reserve(rows.size());
    for (int r = 1; r < report_.grid1.RowCount(); ++r) {
      PumpEveryRows(report_.fillPump, r);
      const WalkRow& in = rows[static_cast<std::size_t>(r)];
      if (!in.trade) continue;
      std::uint64_t key = 0;
      if (TakeRow(r, key, walk.trades))
        order.push_back({key, static_cast<std::uint32_t>(order.size())});
    }
    OrderByKey(order);
    walk.order.clear();
    for (const KeyedIndex& item : order) walk.order.push_back(item.index);
    walk.firstKey = order.empty() ? 0 : order.front().key;
    walk.symbols = symbols_.Items();
    walk.magics = magics_.Items();
  }

 private:
  bool TakeRow(int r, std::uint64_t& key, std::vector<TerminalTrade>& trades) {
    const VisibleGrid& grid1 = report_.grid1;
    const bool closed = !grid1.Cell(g1::closeDate, r).empty();
    TerminalTrade trade;
    trade.row = r;
    if (!report_.stats.testerReport) {
      if (!closed) return false;
      const std::string_view time = grid1.Cell(g1::closeTime, r);
      key = MomentSeconds(CellDateTime(grid1.Cell(g1::closeDate, r), time), time);
    } else {
      const std::vector<TesterClose>& listed = report_.stats.testerCloses;
      const std::size_t found = closes_.Find(OrderNumber(grid1.Cell(g1::ticket, r)));
      const bool atStop = found != TesterCloseIndex::kNone && listed[found].atStop;
      if (!closed && !atStop) return false;
      key = found != TesterCloseIndex::kNone ? found : listed.size();
      if (!closed) trade.atStop = static_cast<int>(found);
    }
    trade.sell = StartsWith(grid1.Cell(g1::type, r), "sell");
    trade.symbol = symbols_.Of(grid1.Cell(g1::symbol, r));
    std::string_view magic = report_.grid2.Cell(g2::magic, r);
    trade.magic = magics_.Of(magic.empty() ? std::string_view(kNoMagicItem) : magic);
    trades.push_back(trade);
    return true;
  }

  const Report& report_;
  const TesterCloseIndex& closes_;
  ItemGroups symbols_;
  ItemGroups magics_;
};

// A trade's result (profit, commission, swap and taxes) as the last
// recompute sized it.
double ResultCents(const Report& report, const WalkRow& in, const TerminalTrade& trade) {
  const int tableRow = TableRow(report, trade.row);
  if (trade.atStop >= 0)
    return AtStopCents(report, tableRow,
                       report.stats.testerCloses[static_cast<std::size_t>(trade.atStop)],
                       in.lotsShown);
  return Cents(in.profitShown) + Cents(in.commissionShown) + Cents(in.swapShown) +
         TaxesCents(report, tableRow, in.lotsShown);
}

// A statement's deposit: its balance before the first row, and the balance and
// credit rows before the walk's first trade. A typed deposit, a tester's
// printed one, and the one of a page without balance rows (an exported
// report's) stand as they are.
double DepositCents(const Report& report, std::uint64_t firstClosing) {
  const ReportStatistics& s = report.stats;
  if (s.testerReport || report.options.deposit != DepositChoice::statement || s.balanceRows.empty())
    return Cents(s.initialDeposit);
  double deposit = Cents(s.openingBalance);
  for (const BalanceRow& row : s.balanceRows)
    if (MomentSeconds(CellDateTime(row.date, row.time), row.time) < firstClosing)
      deposit += Cents(row.amount);
  return deposit;
}

// The tester's net profit is its last printed balance less the deposit, which
// rounded Profit cells may miss by a cent; it holds for its own history only.
void TakeTesterBalance(const Report& report, std::size_t testerTrades, std::size_t walked,
                       TerminalFigures& figures) {
  const ReportStatistics& s = report.stats;
  if (!s.testerReport || s.testerFinalBalance == 0 || walked != testerTrades) return;
  if (report.options.sizing != SizingChoice::original ||
      report.options.deposit != DepositChoice::statement)
    return;
  figures.netProfit = Cents(s.testerFinalBalance) - figures.initialDeposit;
}

// A JPY account prints whole amounts, every other one cents ("0.00" too): one
// printed profit tells.
int AccountDecimals(const Report& report, int gridRow) {
  const int tableRow = TableRow(report, gridRow);
  if (tableRow < 0) return 2;
  std::string_view profit = report.full.Cell(col::profit, tableRow);
  return !profit.empty() && profit.find('.') == std::string_view::npos ? 0 : 2;
}

}  // namespace

void BuildTerminalFigures(Report& report) {
  if (report.stats.sortInProgress) return;
  const std::vector<WalkRow>& rows = report.walkCache.Rows(report.grid1, report.grid2);
  TerminalWalkCache& walk = report.terminalWalk;
  if (walk.generation == 0 || walk.generation != report.walkCache.Generation()) {
    // A statement's closes are none: its walk goes by close time.
    static const std::vector<TesterClose> kNoCloses;
    const TesterCloseIndex closes(report.stats.testerReport ? report.stats.testerCloses
                                                            : kNoCloses);
    TerminalWalk(report, closes).Take(rows, walk);
    walk.testerTrades = closes.Orders();
    walk.generation = report.walkCache.Generation();
  }
  report.terminalFigures.clear();
  report.terminalMemo.clear();
  report.breakdown = {};
  if (walk.order.empty()) return;
  // The results in grid order, where the rows lie in sequence, then walked.
  std::vector<double> cents;
  cents.reserve(walk.trades.size());
  for (const TerminalTrade& trade : walk.trades)
    cents.push_back(ResultCents(report, rows[static_cast<std::size_t>(trade.row)], trade));
  std::vector<WalkResult> results;
  std::vector<int> symbols;
  std::vector<int> magics;
  results.reserve(walk.order.size());
  symbols.reserve(walk.order.size());
  magics.reserve(walk.order.size());
  for (std::uint32_t at : walk.order) {
    const TerminalTrade& trade = walk.trades[at];
    results.push_back({cents[at], trade.sell});
    symbols.push_back(trade.symbol);
    magics.push_back(trade.magic);
  }
  TerminalFigures figures = ComputeTerminalFigures(results, DepositCents(report, walk.firstKey));
  TakeTesterBalance(report, walk.testerTrades, results.size(), figures);
  const bool tester = report.stats.testerReport;
  const int firstRow = walk.trades[walk.order.front()].row;
  const FigureStyle style{tester, tester ? 2 : AccountDecimals(report, firstRow)};
  report.terminalFigures = TerminalFigureLines(figures, style);
  report.terminalMemo = FigureMemoLines(report.terminalFigures);
  report.breakdown = {BreakdownBy(results, symbols, walk.symbols),
                      BreakdownBy(results, magics, walk.magics)};
}

}  // namespace quillfen
