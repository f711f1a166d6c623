#include "synthetic/statement_page.h"

#include <array>
#include <string>

#include "synthetic/page_style.h"
#include "synthetic/summary_figures.h"

namespace quillfen::synthetic {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

struct Sums {
  long long commission = 0;
  long long taxes = 0;
  long long swap = 0;
  long long profit = 0;
  long long All() const { return commission + taxes + swap + profit; }
};

class StatementPage {
 public:
  StatementPage(PageWriter& out, const StatementHistory& history, const StatementLayout& layout)
      : out_(out), history_(history), layout_(layout), columns_(layout.taxes ? 14 : 13) {}

  void Write(long long initialCents) {
    WriteHead(out_, "Statement: 5012345 - Synthetic Account", "");
    out_ << "<div style=\"font: 20pt Times New Roman\"><b>Synthetic Markets Ltd</b></div><br>";
    out_.EndLine();
    out_.EndLine();
    out_.EndLine();
    out_ << "<table cellspacing=1 cellpadding=3 border=0>";
    out_.EndLine();
    AccountLine();
    const Sums closed = ClosedSection();
    const Sums floating = OpenSection();
    WorkingSection();
    Summary(closed, floating, initialCents);
    out_ << "</table>";
    out_.EndLine();
    out_ << "</div></body></html>";
    out_.EndLine();
  }

 private:
  void Line(std::string_view text) {
    out_ << text;
    out_.EndLine();
  }

  void AccountLine() {
    const CivilDate date = DateOf(history_.printedAt);
    Line("<tr align=left>");
    Line("    <td colspan=2><b>Account: 5012345</b></td>");
    Line("    <td colspan=5><b>Name: Synthetic Account</b></td>");
    Line("    <td colspan=2><b>Currency: USD</b></td>");
    Line("    <td colspan=2><b>Leverage: 1:100</b></td>");
    out_ << "    <td colspan=3 align=right><b>";
    out_.Whole(date.year);
    out_ << ' ' << kMonths[date.month - 1] << ' ';
    out_.Whole(date.day);
    out_ << ", ";
    out_.Clock(history_.printedAt, false);
    out_ << "</b></td></tr>";
    out_.EndLine();
    out_.EndLine();
  }

  void SectionTitle(std::string_view title) {
    out_ << "<tr align=left><td colspan=";
    out_.Whole(columns_);
    out_ << "><b>" << title << "</b></td></tr>";
    out_.EndLine();
  }

  void ColumnHeads(std::string_view closeTime, bool money) {
    Line("<tr align=center bgcolor=\"#C0C0C0\">");
    Line("   <td>Ticket</td><td nowrap>Open Time</td><td>Type</td><td>Size</td><td>Item</td>");
    out_ << "   <td>Price</td><td>S / L</td><td>T / P</td>";
    if (money) {
      out_ << closeTime;
      out_.EndLine();
      out_ << "   <td>Price</td><td>Commission</td>" << (layout_.taxes ? "<td>Taxes</td>" : "")
           << "<td>Swap</td><td>Profit</td></tr>";
    } else {
      out_ << "<td colspan=2 nowrap>Market Price</td><td colspan=" << (layout_.taxes ? "4" : "3")
           << ">&nbsp;</td></tr>";
    }
    out_.EndLine();
  }

  void NoTransactions() {
    out_ << "<tr align=right><td colspan=";
    out_.Whole(columns_ - 1);
    out_ << " align=center>No transactions</td></tr>";
    out_.EndLine();
  }

  void RowStart(bool shaded) {
    out_ << (shaded ? "<tr bgcolor=#E0E0E0 align=right>" : "<tr align=right>");
  }

  void TicketCell(const Order& order) {
    if (order.magic != 0 || !order.comment.empty()) {
      out_ << "<td title=\"";
      if (order.type != OrderType::Balance) {
        out_ << '#';
        out_.Whole(order.magic);
        out_ << ' ';
      }
      out_ << order.comment << "\">";
    } else {
      out_ << "<td>";
    }
    out_.Whole(order.ticket);
    out_ << "</td><td class=msdate nowrap>";
    out_.DateTime(order.openTime, layout_.seconds);
    out_ << "</td><td>" << TypeText(order.type) << "</td>";
  }

  void PriceCell(long long points, int digits) {
    out_ << "<td ";
    WritePriceStyle(out_, digits);
    out_ << '>';
    out_.Price(points, digits);
    out_ << "</td>";
  }

  void MoneyCell(long long cents) {
    out_ << "<td class=mspt>";
    out_.Money(cents, true);
    out_ << "</td>";
  }

  // Ticket to T/P, the part every order row shares.
  void OrderCells(const Order& order) {
    const Instrument& instrument = history_.instruments[order.instrument];
    TicketCell(order);
    out_ << "<td class=mspt>";
    out_.Hundredths(order.lots);
    out_ << "</td><td>" << instrument.name << "</td>";
    PriceCell(order.openPrice, instrument.digits);
    PriceCell(order.stopLoss, instrument.digits);
    PriceCell(order.takeProfit, instrument.digits);
    out_ << "<td class=msdate nowrap>";
    if (order.closeTime != 0) {
      out_.DateTime(order.closeTime, layout_.seconds);
    } else {
      out_ << "&nbsp;";
    }
    out_ << "</td>";
    PriceCell(order.closePrice, instrument.digits);
  }

  void MoneyCells(const Order& order, Sums& sums) {
    MoneyCell(order.commission);
    if (layout_.taxes) MoneyCell(order.taxes);
    MoneyCell(order.swap);
    MoneyCell(order.profit);
    sums.commission += order.commission;
    sums.taxes += order.taxes;
    sums.swap += order.swap;
    sums.profit += order.profit;
  }

  void MagicLine(const Order& order, bool shaded) {
    if (!layout_.magic || order.type == OrderType::Balance) return;
    RowStart(shaded);
    out_ << "<td colspan=9>&nbsp;</td><td>";
    if (order.magic != 0) {
      out_.Whole(order.magic);
    } else {
      out_ << "&nbsp;";
    }
    out_ << "</td><td colspan=3>" << (order.comment.empty() ? "&nbsp;" : order.comment)
         << "</td></tr>";
    out_.EndRow();
  }

  void BalanceRow(const Order& order) {
    TicketCell(order);
    out_ << "<td colspan=";
    out_.Whole(columns_ - 4);
    out_ << " align=left>" << order.comment << "</td>";
    MoneyCell(order.profit);
  }

  void TradeRow(const Order& order, Sums& sums) {
    OrderCells(order);
    const bool pending = order.type != OrderType::Buy && order.type != OrderType::Sell;
    if (pending) {
      out_ << "<td colspan=" << (layout_.taxes ? "4" : "3") << '>'
           << (order.comment.empty() ? "&nbsp;" : order.comment) << "</td>";
    } else {
      MoneyCells(order, sums);
    }
  }

  void Rows(const std::vector<Order>& orders, Sums& sums) {
    bool shaded = false;
    for (const Order& order : orders) {
      RowStart(shaded);
      if (order.type == OrderType::Balance) {
        BalanceRow(order);
      } else {
        TradeRow(order, sums);
      }
      out_ << "</tr>";
      out_.EndRow();
      MagicLine(order, shaded);
      shaded = !shaded;
    }
  }

  void Totals(const Sums& sums) {
    out_.EndLine();
    out_.EndLine();
    Line("<tr align=right>");
    Line("    <td colspan=10>&nbsp;</td>");
    const long long cells[] = {sums.commission, sums.taxes, sums.swap, sums.profit};
    for (int i = 0; i < 4; ++i) {
      if (i == 1 && !layout_.taxes) continue;
      out_ << "    <td class=mspt>";
      out_.Money(cells[i], true);
      out_ << "</td>";
      out_.EndLine();
    }
    Line("</tr>");
  }

  Sums ClosedSection() {
    SectionTitle("Closed Transactions:");
    ColumnHeads("<td nowrap>Close Time</td>", true);
    Sums sums;
    Rows(history_.closed, sums);
    Totals(sums);
    out_.EndLine();
    Line("<tr align=right>");
    out_ << "    <td colspan=";
    out_.Whole(columns_ - 2);
    out_ << " align=right><b>Closed P/L:</b></td>";
    out_.EndLine();
    out_ << "    <td colspan=2 align=right title=\"Commission + Swap + Profit"
         << (layout_.taxes ? " + Taxes" : "") << "\" class=mspt><b>";
    out_.Money(sums.All(), true);
    out_ << "</b></td>";
    out_.EndLine();
    Line("</tr>");
    out_.EndLine();
    return sums;
  }

  Sums OpenSection() {
    SectionTitle("Open Trades:");
    ColumnHeads("<td>&nbsp;</td>", true);
    Sums sums;
    if (history_.open.empty()) NoTransactions();
    Rows(history_.open, sums);
    Totals(sums);
    out_ << "<tr><td colspan=10>&nbsp;</td><td colspan=2 align=right><b>Floating P/L:</b></td>";
    out_.EndLine();
    out_ << "    <td colspan=2 align=right title=\"Commission + Swap + Profit\" class=mspt><b>";
    out_.Money(sums.All(), true);
    out_ << "</b></td></tr>";
    out_.EndLine();
    out_.EndLine();
    return sums;
  }

  void WorkingSection() {
    SectionTitle("Working Orders:");
    ColumnHeads("", false);
    Sums unused;
    if (history_.working.empty()) NoTransactions();
    Rows(history_.working, unused);
    out_.EndLine();
    out_.EndLine();
    Spacer();
    out_.EndLine();
  }

  void Spacer() {
    out_ << "<tr><td colspan=";
    out_.Whole(columns_);
    out_ << " style=\"font: 1pt arial\">&nbsp;</td></tr>";
    out_.EndLine();
  }

  // One summary line: up to three label and value pairs.
  void Figures(std::initializer_list<std::pair<std::string_view, std::string>> pairs) {
    Line("<tr align=right>");
    static constexpr std::string_view spans[][2] = {{"2", "2"}, {"4", "1"}, {"3", "2"}};
    int i = 0;
    for (const auto& [label, value] : pairs) {
      out_ << "    <td colspan=" << spans[i][0] << "><b>" << label << "</b></td>";
      out_.EndLine();
      out_ << "    <td colspan=" << spans[i][1] << " class=mspt><b>" << value << "</b></td>";
      if (i + 1 == static_cast<int>(pairs.size()) && i < 2) out_ << "<td colspan=5>&nbsp;</td>";
      out_.EndLine();
      ++i;
    }
    Line("</tr>");
    out_.EndLine();
  }

  void Summary(const Sums& closed, const Sums& floating, long long initialCents);

  PageWriter& out_;
  const StatementHistory& history_;
  StatementLayout layout_;
  int columns_;
};

std::string MoneyText(long long cents, int decimals = 2) {
  std::string text;
  AppendMoney(text, cents, true, decimals);
  return text;
}

std::string PercentText(long long hundredths) {
  return MoneyText(hundredths) + "%";
}

std::string CountText(int count, long long ofTotal) {
  return std::to_string(count) + " (" + PercentText(ofTotal) + ")";
}

void StatementPage::Summary(const Sums& closed, const Sums& floating, long long initialCents) {
  std::vector<ClosedResult> results;
  long long deposits = 0;
  for (const Order& order : history_.closed) {
    if (order.type == OrderType::Balance) {
      deposits += order.profit;
    } else if (order.type == OrderType::Buy || order.type == OrderType::Sell) {
      results.push_back({order.commission + order.taxes + order.swap + order.profit,
                         order.type == OrderType::Sell});
    }
  }
  const SummaryFigures f = FiguresOf(results, initialCents);
  const auto cash = [this](long long cents) { return MoneyText(cents, out_.MoneyDecimals()); };
  const long long balance = deposits + closed.All();
  SectionTitle("Summary:");
  Figures({{"Deposit/Withdrawal:", cash(deposits)}, {"Credit Facility:", "0.00"}});
  Figures({{"Closed Trade P/L:", cash(closed.All())},
           {"Floating P/L:", cash(floating.All())},
           {"Margin:", "0.00"}});
  Figures({{"Balance:", cash(balance)},
           {"Equity:", cash(balance + floating.All())},
           {"Free Margin:", cash(balance + floating.All())}});
  Spacer();
  SectionTitle("Details:");
  out_.EndLine();
  Figures({{"Gross Profit:", cash(f.grossProfit)},
           {"Gross Loss:", cash(-f.grossLoss)},
           {"Total Net Profit:", cash(f.netProfit)}});
  Figures({{"Profit Factor:", MoneyText(f.profitFactor)},
           {"Expected Payoff:", cash(f.expectedPayoff)}});
  Figures({{"Absolute Drawdown:", cash(f.absoluteDrawdown)},
           {"Maximal Drawdown:",
            cash(f.maximalDrawdown) + " (" + PercentText(f.maximalDrawdownPercent) + ")"},
           {"Relative Drawdown:",
            PercentText(f.relativeDrawdownPercent) + " (" + cash(f.relativeDrawdown) + ")"}});
  Figures(
      {{"Total Trades:", std::to_string(f.trades)},
       {"Short Positions (won %):", CountText(f.shortTrades, PercentOf(f.shortWon, f.shortTrades))},
       {"Long Positions (won %):", CountText(f.longTrades, PercentOf(f.longWon, f.longTrades))}});
  Figures(
      {{"Profit Trades (% of total):",
        CountText(f.profitTrades, PercentOf(f.profitTrades, f.trades))},
       {"Loss trades (% of total):", CountText(f.lossTrades, PercentOf(f.lossTrades, f.trades))}});
  Figures({{"Largest profit trade:", cash(f.largestProfit)},
           {"Largest loss trade:", cash(f.largestLoss)}});
  Figures({{"Average profit trade:", cash(f.averageProfit)},
           {"Average loss trade:", cash(f.averageLoss)}});
  Figures({{"Maximum consecutive wins ($):",
            std::to_string(f.consecutiveWins) + " (" + cash(f.consecutiveWinsMoney) + ")"},
           {"Maximum consecutive losses ($):",
            std::to_string(f.consecutiveLosses) + " (" + cash(f.consecutiveLossesMoney) + ")"}});
  Figures({{"Maximal consecutive profit (count):",
            cash(f.consecutiveProfit) + " (" + std::to_string(f.consecutiveProfitCount) + ")"},
           {"Maximal consecutive loss (count):",
            cash(f.consecutiveLoss) + " (" + std::to_string(f.consecutiveLossCount) + ")"}});
  Figures({{"Average consecutive wins:", std::to_string(f.averageConsecutiveWins)},
           {"Average consecutive losses:", std::to_string(f.averageConsecutiveLosses)}});
}

}  // namespace

void WriteStatementPage(PageWriter& out, const StatementHistory& history,
                        const StatementLayout& layout, long long initialCents) {
  StatementPage(out, history, layout).Write(initialCents);
}

}  // namespace quillfen::synthetic
