#include "analysis/terminal_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "analysis/key_order.h"
#include "analysis/mt5_figure_text.h"
#include "analysis/trade_selection.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

double Cents(double value) {
  return std::round(value * 100);
}

// A moment to the second: the cell's whole minutes, and the time text's
// seconds. A moment that cannot be read (0) or lies before 1900 comes first.
std::uint64_t MomentSeconds(std::string_view date, std::string_view time) {
  const long long minutes = CellMinutes(date, time);
  if (minutes <= 0) return 0;
  std::uint64_t seconds = static_cast<std::uint64_t>(minutes) * 60;
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
    // Trades mostly take turns among a few items: the latest answers stand.
    for (const Recent& recent : recent_)
      if (recent.group >= 0 && SameText()(text, recent.text)) return recent.group;
    int group = list_.Find(text);
    if (group < 0) {
      const auto [at, added] = unlisted_.try_emplace(std::string(text), items_.size());
      if (added) items_.emplace_back(text);
      group = static_cast<int>(at->second);
    }
    recent_[next_++ % recent_.size()] = {text, group};
    return group;
  }
  const std::vector<std::string>& Items() const { return items_; }

 private:
  const SelectionList& list_;
  std::vector<std::string> items_;
  std::unordered_map<std::string, std::size_t> unlisted_;  // by their exact text
  struct Recent {
    std::string_view text;
    int group = -1;
  };
  std::array<Recent, 8> recent_{};
  std::size_t next_ = 0;
};

// The grids carry no taxes: they come from the table row, per lot as sized.
double TaxesCents(const TerminalSource& report, int tableRow, double lots) {
  if (tableRow < 0 || !report.stats.taxesListed) return 0;
  std::string_view perLot = report.full.Cell(col::taxesPerLot, tableRow);
  return perLot.empty() ? 0 : Cents(TextToAmount(perLot) * lots);
}

// A trade closed at the end of a test has only its printed profit, sized
// like the lots.
double AtStopCents(const TerminalSource& report, int tableRow, double profit, double lots) {
  const double printedLots = tableRow < 0 ? 0 : TextToAmount(report.full.Cell(col::lots, tableRow));
  return Cents(printedLots != 0 ? profit * lots / printedLots : profit);
}

// A trade of the walk: its result as the last recompute sized it (profit,
// commission, swap and taxes), its direction and its items.
struct WalkedTrade {
  static constexpr std::uint32_t kSell = 0x80000000u;

  double cents = 0;
  std::uint32_t symbol = 0;  // with kSell for a sell
  std::uint32_t magic = 0;

  WalkResult Result() const { return {cents, (symbol & kSell) != 0}; }
};

constexpr std::size_t kNoPlace = static_cast<std::size_t>(-1);

// One bit a place.
class PlaceBits {
 public:
  explicit PlaceBits(std::size_t places) : words_((places + 63) / 64, 0) {}
  bool Has(std::size_t place) const { return (words_[place / 64] >> (place % 64)) & 1; }
  void Set(std::size_t place) { words_[place / 64] |= std::uint64_t{1} << (place % 64); }

 private:
  std::vector<std::uint64_t> words_;
};

// The walk over the grids' trades, read afresh at each refresh in the grids'
// order, where their rows lie in sequence, and visited in the terminal's
// order. Statements: the closed trades by close time, equal times in the
// grids' order. Tester reports: in the order of their closing rows, the trades
// closed at the end of the test included, though the table keeps them open.
class TerminalWalk {
 public:
  explicit TerminalWalk(const TerminalSource& report)
      : report_(report),
        rows_(report.walkCache.Rows(report.grid1, report.grid2)),
        symbols_(report.pairsListBox),
        magics_(report.magicListBox) {}

  // Calls visit(trade) for each trade in walk order; the first trade's grid
  // row and closing moment (statements) are known before the first call.
  template <class Start, class Visit>
  void Walk(Start start, Visit visit) {
    if (report_.stats.testerReport)
      WalkTester(start, visit);
    else
      WalkStatement(start, visit);
  }
  // The commission the open trades of a statement's walk paid on entry, in cents.
  double OpenCommissionCents() const { return openCommission_; }
  const std::vector<std::string>& Symbols() const { return symbols_.Items(); }
  const std::vector<std::string>& Magics() const { return magics_.Items(); }

 private:
  template <class Start, class Visit>
  void WalkStatement(Start start, Visit visit) {
    const VisibleGrid& grid1 = report_.grid1;
    std::vector<WalkedTrade> trades;
    std::vector<KeyedIndex> order;
    std::vector<int> gridRows;
    for (int r = 1; r < grid1.RowCount(); ++r) {
      PumpEveryRows(report_.fillPump, r);
      if (!rows_[static_cast<std::size_t>(r)].trade) continue;
      const std::string_view date = grid1.Cell(g1::closeDate, r);
      if (date.empty()) {
        const double commission = rows_[static_cast<std::size_t>(r)].commissionShown;
        if (!std::isnan(commission)) openCommission_ += Cents(commission);
        continue;
      }
      const std::string_view time = grid1.Cell(g1::closeTime, r);
      order.push_back({MomentSeconds(date, time), static_cast<std::uint32_t>(trades.size())});
      trades.push_back(Take(r, std::nullopt));
      gridRows.push_back(r);
    }
    OrderByKey(order);
    if (order.empty()) return;
    start(gridRows[order.front().index], order.front().key);
    for (const KeyedIndex& item : order) visit(trades[item.index]);
  }

  // The trades land in the places of their closing rows. A trade no closing
  // row names goes after them all, and one whose place is taken right after
  // the trade there, each in the grids' order, as a stable sort by place would.
  template <class Start, class Visit>
  void WalkTester(Start start, Visit visit) {
    const VisibleGrid& grid1 = report_.grid1;
    const TesterCloses& closes = report_.stats.testerCloses;
    std::vector<WalkedTrade> places(closes.Count());
    PlaceBits taken(places.size());
    std::vector<KeyedIndex> spilt;
    std::vector<WalkedTrade> spiltTrades;
    int firstRow = -1;
    for (int r = 1; r < grid1.RowCount(); ++r) {
      PumpEveryRows(report_.fillPump, r);
      if (!rows_[static_cast<std::size_t>(r)].trade) continue;
      // The table row carries its closing row's place.
      const std::uint32_t tag = report_.full.RowTag(grid1.TableRow(r));
      const std::size_t place = tag == TextGrid::kNoTag ? kNoPlace : tag;
      std::optional<double> atStopProfit;
      if (grid1.Cell(g1::closeDate, r).empty()) {
        if (double profit = 0; place != kNoPlace && closes.AtStop(place, profit))
          atStopProfit = profit;
        else
          continue;
      }
      if (firstRow < 0) firstRow = r;
      const WalkedTrade trade = Take(r, atStopProfit);
      // Which places are taken is asked of a bitmap that stays in the cache:
      // after a column sort the places come in no order, and waiting for each
      // one's memory to answer cost more than the rest of the walk.
      if (place < places.size() && !taken.Has(place)) {
        taken.Set(place);
        places[place] = trade;
        continue;
      }
      spilt.push_back(
          {std::min(place, closes.Count()), static_cast<std::uint32_t>(spiltTrades.size())});
      spiltTrades.push_back(trade);
    }
    if (firstRow < 0) return;
    start(firstRow, 0);
    OrderByKey(spilt);
    auto next = spilt.begin();
    for (std::size_t place = 0; place < places.size(); ++place) {
      if (taken.Has(place)) visit(places[place]);
      for (; next != spilt.end() && next->key == place; ++next) visit(spiltTrades[next->index]);
    }
    for (; next != spilt.end(); ++next) visit(spiltTrades[next->index]);
  }

  // atStopProfit: the printed profit of a trade closed at the end of a test.
  WalkedTrade Take(int r, std::optional<double> atStopProfit) {
    const VisibleGrid& grid1 = report_.grid1;
    const WalkRow& in = rows_[static_cast<std::size_t>(r)];
    const int tableRow = grid1.TableRow(r);
    WalkedTrade trade;
    trade.cents = atStopProfit
                      ? AtStopCents(report_, tableRow, *atStopProfit, in.lotsShown)
                      : Cents(in.profitShown) + Cents(in.commissionShown) + Cents(in.swapShown) +
                            TaxesCents(report_, tableRow, in.lotsShown);
    trade.symbol = static_cast<std::uint32_t>(symbols_.Of(grid1.Cell(g1::symbol, r)));
    if (StartsWith(grid1.Cell(g1::type, r), "sell")) trade.symbol |= WalkedTrade::kSell;
    const std::string_view magic = report_.grid2.Cell(g2::magic, r);
    trade.magic = static_cast<std::uint32_t>(
        magics_.Of(magic.empty() ? std::string_view(kNoMagicItem) : magic));
    return trade;
  }

  const TerminalSource& report_;
  const std::vector<WalkRow>& rows_;
  ItemGroups symbols_;
  ItemGroups magics_;
  double openCommission_ = 0;
};

// A statement's deposit: its balance before the first row, and the balance and
// credit rows before the walk's first trade. A typed deposit, a tester's
// printed one, and the one of a page without balance rows (an exported
// report's) stand as they are.
double DepositCents(const TerminalSource& report, std::uint64_t firstClosing) {
  const ReportStatistics& s = report.stats;
  if (s.testerReport || report.options.deposit != DepositChoice::statement || s.balanceRows.empty())
    return Cents(s.initialDeposit);
  // A MetaTrader 5 report's first balance deal is its deposit, no balance row.
  double deposit = Cents(s.origin == ReportOrigin::mt5 ? s.statementDeposit : s.openingBalance);
  for (const BalanceRow& row : s.balanceRows)
    if (MomentSeconds(row.date, row.time) < firstClosing) deposit += Cents(row.amount);
  return deposit;
}

// The tester's net profit is its last printed balance less the deposit, which
// rounded Profit cells may miss by a cent; it holds for its own history only.
void TakeTesterBalance(const TerminalSource& report, std::size_t testerTrades, std::size_t walked,
                       TerminalFigures& figures) {
  const ReportStatistics& s = report.stats;
  if (!s.testerReport || s.testerFinalBalance == 0 || walked != testerTrades) return;
  if (report.options.sizing != SizingChoice::original ||
      report.options.deposit != DepositChoice::statement)
    return;
  figures.netProfit = Cents(s.testerFinalBalance) - figures.initialDeposit;
}

// After every closing moment: all of a statement's balance rows count.
constexpr std::uint64_t kNoClosing = std::numeric_limits<std::uint64_t>::max();

// The buy and sell deals are known for the report's own trades, all walked.
std::optional<int> Mt5Deals(const TerminalSource& report, std::size_t walked) {
  const ReportStatistics& s = report.stats;
  if (walked != static_cast<std::size_t>(s.mt5Closes)) return std::nullopt;
  return s.mt5TradeDeals;
}

// Whether a balance row lies at or after this moment.
bool BalanceRowsAfter(const TerminalSource& report, std::uint64_t moment) {
  const std::vector<BalanceRow>& rows = report.stats.balanceRows;
  return std::any_of(rows.begin(), rows.end(), [&](const BalanceRow& row) {
    return MomentSeconds(row.date, row.time) >= moment;
  });
}

// A JPY account prints whole amounts, every other one cents ("0.00" too): one
// printed profit tells.
int AccountDecimals(const TerminalSource& report, int gridRow) {
  const int tableRow = report.grid1.TableRow(gridRow);
  if (tableRow < 0) return 2;
  std::string_view profit = report.full.Cell(col::profit, tableRow);
  return !profit.empty() && profit.find('.') == std::string_view::npos ? 0 : 2;
}

}  // namespace

TerminalView BuildTerminalFigures(const TerminalSource& report) {
  TerminalView view;
  TerminalWalk walk(report);
  std::optional<FigureWalk> figures;
  BreakdownWalk symbols;
  BreakdownWalk magics;
  int firstRow = -1;
  std::uint64_t firstClosing = kNoClosing;
  std::size_t walked = 0;
  const bool mt5 = report.stats.origin == ReportOrigin::mt5;
  const RunTies ties = mt5 ? RunTies::mt5 : RunTies::mt4;
  walk.Walk(
      [&](int gridRow, std::uint64_t closing) {
        firstRow = gridRow;
        firstClosing = closing;
        figures.emplace(DepositCents(report, closing), ties);
      },
      [&](const WalkedTrade& trade) {
        figures->Add(trade.Result());
        symbols.Add(trade.symbol & ~WalkedTrade::kSell, trade.cents);
        magics.Add(trade.magic, trade.cents);
        ++walked;
      });
  // The MetaTrader 5 terminal prints its figures for a run without trades too.
  if (!figures && mt5) figures.emplace(DepositCents(report, kNoClosing), ties);
  if (!figures) return view;
  TerminalFigures result = figures->Figures();
  if (mt5) {
    // The walk's balance leaves out the balance deals among the trades, which
    // the holding period returns would weigh.
    if (BalanceRowsAfter(report, firstClosing)) result.ahpr = result.ghpr = std::nan("");
    // Its net profit is that of every buy and sell deal: an open position's
    // entry paid its commission.
    result.netProfit += walk.OpenCommissionCents();
    view.figures = report.stats.mt5History ? Mt5HistoryFigureLines(result)
                                           : Mt5FigureLines(result, Mt5Deals(report, walked));
  } else {
    TakeTesterBalance(report, report.stats.testerCloses.Trades(), walked, result);
    const bool tester = report.stats.testerReport;
    const FigureStyle style{tester, tester ? 2 : AccountDecimals(report, firstRow)};
    view.figures = TerminalFigureLines(result, style);
  }
  view.memo = FigureMemoLines(view.figures);
  view.breakdown = {symbols.Rows(walk.Symbols()), magics.Rows(walk.Magics())};
  return view;
}

}  // namespace quillfen
