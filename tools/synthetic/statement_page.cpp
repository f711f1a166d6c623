#include "synthetic/statement_page.h"

#include <array>
#include <string>

#include "synthetic/page_language.h"
#include "synthetic/page_style.h"
#include "synthetic/summary_figures.h"

namespace quillfen::synthetic {

namespace {

struct Sums {
  long long commission = 0;
  long long taxes = 0;
  long long swap = 0;
  long long profit = 0;
  long long All() const { return commission + taxes + swap + profit; }
};

class StatementPage {
 public:
  StatementPage(PageWriter& out, const StatementHistory& history, const StatementLayout& layout,
                const PageLanguage& language)
      : out_(out),
        history_(history),
        layout_(layout),
        l_(language),
        columns_(layout.taxes ? 14 : 13) {}

  void Write(long long initialCents) {
    WriteHead(out_, "Statement: 5012345 - " + l_.accountName, "");
    out_ << "<div style=\"font: 20pt Times New Roman\"><b>" << l_.company << "</b></div><br>";
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
    Line("    <td colspan=2><b>" + l_.account + " 5012345</b></td>");
    Line("    <td colspan=5><b>" + l_.name + " " + l_.accountName + "</b></td>");
    Line("    <td colspan=2><b>" + l_.currency + " USD</b></td>");
    Line("    <td colspan=2><b>" + l_.leverage + " 1:100</b></td>");
    out_ << "    <td colspan=3 align=right><b>";
    out_.Whole(date.year);
    out_ << ' ' << l_.months[date.month - 1] << ' ';
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
    Line("   <td>" + l_.ticket + "</td><td nowrap>" + l_.openTime + "</td><td>" + l_.type +
         "</td><td>" + l_.size + "</td><td>" + l_.item + "</td>");
    out_ << "   <td>" << l_.price << "</td><td>" << l_.stopLoss << "</td><td>" << l_.takeProfit
         << "</td>";
    if (money) {
      out_ << closeTime;
      out_.EndLine();
      out_ << "   <td>" << l_.price << "</td><td>" << l_.commission << "</td>";
      if (layout_.taxes) out_ << "<td>" << l_.taxes << "</td>";
      out_ << "<td>" << l_.swap << "</td><td>" << l_.profit << "</td></tr>";
    } else {
      out_ << "<td colspan=2 nowrap>" << l_.marketPrice
           << "</td><td colspan=" << (layout_.taxes ? "4" : "3") << ">&nbsp;</td></tr>";
    }
    out_.EndLine();
  }

  void NoTransactions() {
    out_ << "<tr align=right><td colspan=";
    out_.Whole(columns_ - 1);
    out_ << " align=center>" << l_.noTransactions << "</td></tr>";
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
      out_ << l_.Comment(order.comment) << "\">";
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
    out_ << "</td><td colspan=3>" << (order.comment.empty() ? "&nbsp;" : l_.Comment(order.comment))
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
           << (order.comment.empty() ? "&nbsp;" : l_.Comment(order.comment)) << "</td>";
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
    SectionTitle(l_.closedTransactions);
    ColumnHeads("<td nowrap>" + l_.closeTime + "</td>", true);
    Sums sums;
    Rows(history_.closed, sums);
    Totals(sums);
    out_.EndLine();
    Line("<tr align=right>");
    out_ << "    <td colspan=";
    out_.Whole(columns_ - 2);
    out_ << " align=right><b>" << l_.closedPl << "</b></td>";
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
    SectionTitle(l_.openTrades);
    ColumnHeads("<td>&nbsp;</td>", true);
    Sums sums;
    if (history_.open.empty()) NoTransactions();
    Rows(history_.open, sums);
    Totals(sums);
    out_ << "<tr><td colspan=10>&nbsp;</td><td colspan=2 align=right><b>" << l_.floatingPl
         << "</b></td>";
    out_.EndLine();
    out_ << "    <td colspan=2 align=right title=\"Commission + Swap + Profit\" class=mspt><b>";
    out_.Money(sums.All(), true);
    out_ << "</b></td></tr>";
    out_.EndLine();
    out_.EndLine();
    return sums;
  }

  void WorkingSection() {
    SectionTitle(l_.workingOrders);
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
  const PageLanguage& l_;
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
  // The English page keeps the terminal's own capitals and words; another
  // language's labels are the tester report's, each with its colon.
  const bool english = l_.code == "en";
  auto label = [&](const char* own, const std::string& translated) {
    return english ? std::string(own) : translated + ":";
  };
  auto phrase = [&](const char* own, const std::string& first, const std::string& second) {
    return english ? std::string(own) : first + " " + second + ":";
  };
  SectionTitle(l_.summary);
  Figures({{l_.depositWithdrawal, cash(deposits)}, {l_.creditFacility, "0.00"}});
  Figures({{l_.closedTradePl, cash(closed.All())},
           {l_.floatingPl, cash(floating.All())},
           {l_.margin, "0.00"}});
  Figures({{l_.balanceLabel, cash(balance)},
           {l_.equity, cash(balance + floating.All())},
           {l_.freeMargin, cash(balance + floating.All())}});
  Spacer();
  SectionTitle(l_.details);
  out_.EndLine();
  Figures({{label("Gross Profit:", l_.grossProfit), cash(f.grossProfit)},
           {label("Gross Loss:", l_.grossLoss), cash(-f.grossLoss)},
           {label("Total Net Profit:", l_.totalNetProfit), cash(f.netProfit)}});
  Figures({{label("Profit Factor:", l_.profitFactor), MoneyText(f.profitFactor)},
           {label("Expected Payoff:", l_.expectedPayoff), cash(f.expectedPayoff)}});
  Figures({{label("Absolute Drawdown:", l_.absoluteDrawdown), cash(f.absoluteDrawdown)},
           {label("Maximal Drawdown:", l_.maximalDrawdown),
            cash(f.maximalDrawdown) + " (" + PercentText(f.maximalDrawdownPercent) + ")"},
           {label("Relative Drawdown:", l_.relativeDrawdown),
            PercentText(f.relativeDrawdownPercent) + " (" + cash(f.relativeDrawdown) + ")"}});
  Figures({{label("Total Trades:", l_.totalTrades), std::to_string(f.trades)},
           {label("Short Positions (won %):", l_.shortPositions),
            CountText(f.shortTrades, PercentOf(f.shortWon, f.shortTrades))},
           {label("Long Positions (won %):", l_.longPositions),
            CountText(f.longTrades, PercentOf(f.longWon, f.longTrades))}});
  Figures({{label("Profit Trades (% of total):", l_.profitTrades),
            CountText(f.profitTrades, PercentOf(f.profitTrades, f.trades))},
           {label("Loss trades (% of total):", l_.lossTrades),
            CountText(f.lossTrades, PercentOf(f.lossTrades, f.trades))}});
  Figures({{phrase("Largest profit trade:", l_.largest, l_.profitTrade), cash(f.largestProfit)},
           {phrase("Largest loss trade:", l_.largest, l_.lossTrade), cash(f.largestLoss)}});
  Figures({{phrase("Average profit trade:", l_.average, l_.profitTrade), cash(f.averageProfit)},
           {phrase("Average loss trade:", l_.average, l_.lossTrade), cash(f.averageLoss)}});
  Figures({{phrase("Maximum consecutive wins ($):", l_.maximum, l_.consecutiveWinsMoney),
            std::to_string(f.consecutiveWins) + " (" + cash(f.consecutiveWinsMoney) + ")"},
           {phrase("Maximum consecutive losses ($):", l_.maximum, l_.consecutiveLossesMoney),
            std::to_string(f.consecutiveLosses) + " (" + cash(f.consecutiveLossesMoney) + ")"}});
  Figures({{phrase("Maximal consecutive profit (count):", l_.maximal, l_.consecutiveProfitCount),
            cash(f.consecutiveProfit) + " (" + std::to_string(f.consecutiveProfitCount) + ")"},
           {phrase("Maximal consecutive loss (count):", l_.maximal, l_.consecutiveLossCount),
            cash(f.consecutiveLoss) + " (" + std::to_string(f.consecutiveLossCount) + ")"}});
  Figures({{phrase("Average consecutive wins:", l_.average, l_.consecutiveWins),
            std::to_string(f.averageConsecutiveWins)},
           {phrase("Average consecutive losses:", l_.average, l_.consecutiveLosses),
            std::to_string(f.averageConsecutiveLosses)}});
}

}  // namespace

void WriteStatementPage(PageWriter& out, const StatementHistory& history,
                        const StatementLayout& layout, long long initialCents,
                        const PageLanguage& language) {
  StatementPage(out, history, layout, language).Write(initialCents);
}

void WriteStatementPage(PageWriter& out, const StatementHistory& history,
                        const StatementLayout& layout, long long initialCents) {
  PageLanguage english;
  LoadPageLanguage("en", "", english);
  WriteStatementPage(out, history, layout, initialCents, english);
}

}  // namespace quillfen::synthetic
