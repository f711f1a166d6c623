#include "synthetic/tester_page.h"

#include <string>
#include <vector>

#include "synthetic/page_style.h"
#include "synthetic/summary_figures.h"

namespace quillfen::synthetic {

namespace {

class TesterPage {
 public:
  TesterPage(PageWriter& out, const TesterHistory& history) : out_(out), history_(history) {}

  void Write(long long initialCents) {
    WriteHead(out_, "Strategy Tester: Synthetic Expert",
              "    <meta name=\"version\" content=\"Build 1420\">\r\n"
              "    <meta name=\"server\" content=\"Synthetic-Demo\">\r\n");
    Line("<div style=\"font: 20pt Times New Roman\"><b>Strategy Tester Report</b></div>");
    Line("<div style=\"font: 16pt Times New Roman\"><b>Synthetic Expert</b></div>");
    Line("<div style=\"font: 10pt Times New Roman\"><b>Synthetic-Demo (Build 1420)</b></div><br>");
    out_.EndLine();
    Line("<table width=820 cellspacing=1 cellpadding=3 border=0>");
    Settings();
    Results(initialCents);
    out_.EndLine();
    Line("</table>");
    Line("<img src=\"StrategyTester.gif\" width=820 height=200 border=0 alt=\"Graph\"><br>");
    Line("<table width=820 cellspacing=1 cellpadding=3 border=0>");
    Line(
        "<tr bgcolor=\"#C0C0C0\" align=right><td>#</td><td>Time</td><td>Type</td><td>Order</td>"
        "<td>Size</td><td>Price</td><td>S / L</td><td>T / "
        "P</td><td>Profit</td><td>Balance</td></tr>");
    Orders(initialCents);
    Line("</table>");
    Line("</div></body></html>");
  }

 private:
  void Line(std::string_view text) {
    out_ << text;
    out_.EndLine();
  }

  void Setting(std::string_view label, std::string_view value) {
    out_ << "<tr align=left><td colspan=2>" << label << "</td><td colspan=4>" << value
         << "</td></tr>";
    out_.EndLine();
  }

  void Settings() {
    std::string symbol;
    for (char c : history_.instrument.name) {
      symbol += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    Setting("Symbol", symbol + " (synthetic prices)");
    out_ << "<tr align=left><td colspan=2>Period</td><td colspan=4>1 Hour (H1)  ";
    out_.DateTime(history_.from, false);
    out_ << " - ";
    out_.DateTime(history_.to, false);
    out_ << "</td></tr>";
    out_.EndLine();
    Setting("Model",
            "Every tick (the most precise method based on all available least timeframes)");
    Setting("Parameters", "Lots=0.1; StopLoss=40; TakeProfit=80; Seed=synthetic; ");
    Pairs({{"Bars in test", std::to_string((history_.to - history_.from) / kHour)},
           {"Ticks modelled", std::to_string((history_.to - history_.from) / 7)},
           {"Modelling quality", "90.00%"}});
    Pairs({{"Mismatched charts errors", "0"}, {"", ""}, {"", ""}});
    Gap();
  }

  void Gap() { Line("<tr height=8><td colspan=6></td></tr>"); }

  // One line of up to three label and value pairs; a leading blank label takes two columns.
  void Pairs(std::initializer_list<std::pair<std::string, std::string>> pairs) {
    out_ << "<tr align=left>";
    for (const auto& [label, value] : pairs) {
      out_ << "<td>" << label << "</td><td align=right>" << value << "</td>";
    }
    out_ << "</tr>";
    out_.EndLine();
  }

  void Words(std::string_view head,
             std::initializer_list<std::pair<std::string, std::string>> pairs) {
    out_ << "<tr align=left><td colspan=2 align=right>" << head << "</td>";
    for (const auto& [label, value] : pairs) {
      out_ << "<td>" << label << "</td><td align=right>" << value << "</td>";
    }
    out_ << "</tr>";
    out_.EndLine();
  }

  std::string Cash(long long cents) const {
    std::string text;
    AppendMoney(text, cents, false, out_.MoneyDecimals());
    return text;
  }

  static std::string Percent(long long hundredths) {
    std::string text;
    AppendMoney(text, hundredths, false, 2);
    return text + "%";
  }

  static std::string Counted(int count, long long percent) {
    return std::to_string(count) + " (" + Percent(percent) + ")";
  }

  void Results(long long initialCents) {
    std::vector<ClosedResult> results;
    for (const TesterRow& row : history_.rows) {
      if (row.hasProfit) results.push_back({row.profit, row.sell});
    }
    const SummaryFigures f = FiguresOf(results, initialCents);
    std::string factor;
    AppendMoney(factor, f.profitFactor, false, 2);
    Pairs({{"Initial deposit", Cash(initialCents)},
           {"", ""},
           {"Spread", std::to_string(SpreadPoints(history_.instrument))}});
    Pairs({{"Total net profit", Cash(f.netProfit)},
           {"Gross profit", Cash(f.grossProfit)},
           {"Gross loss", Cash(f.grossLoss)}});
    Pairs({{"Profit factor", factor}, {"Expected payoff", Cash(f.expectedPayoff)}, {"", ""}});
    Pairs({{"Absolute drawdown", Cash(f.absoluteDrawdown)},
           {"Maximal drawdown",
            Cash(f.maximalDrawdown) + " (" + Percent(f.maximalDrawdownPercent) + ")"},
           {"Relative drawdown",
            Percent(f.relativeDrawdownPercent) + " (" + Cash(f.relativeDrawdown) + ")"}});
    Gap();
    Pairs(
        {{"Total trades", std::to_string(f.trades)},
         {"Short positions (won %)", Counted(f.shortTrades, PercentOf(f.shortWon, f.shortTrades))},
         {"Long positions (won %)", Counted(f.longTrades, PercentOf(f.longWon, f.longTrades))}});
    Words("",
          {{"Profit trades (% of total)",
            Counted(f.profitTrades, PercentOf(f.profitTrades, f.trades))},
           {"Loss trades (% of total)", Counted(f.lossTrades, PercentOf(f.lossTrades, f.trades))}});
    Words("Largest",
          {{"profit trade", Cash(f.largestProfit)}, {"loss trade", Cash(f.largestLoss)}});
    Words("Average",
          {{"profit trade", Cash(f.averageProfit)}, {"loss trade", Cash(f.averageLoss)}});
    Words("Maximum",
          {{"consecutive wins (profit in money)",
            std::to_string(f.consecutiveWins) + " (" + Cash(f.consecutiveWinsMoney) + ")"},
           {"consecutive losses (loss in money)",
            std::to_string(f.consecutiveLosses) + " (" + Cash(f.consecutiveLossesMoney) + ")"}});
    Words("Maximal",
          {{"consecutive profit (count of wins)",
            Cash(f.consecutiveProfit) + " (" + std::to_string(f.consecutiveProfitCount) + ")"},
           {"consecutive loss (count of losses)",
            Cash(f.consecutiveLoss) + " (" + std::to_string(f.consecutiveLossCount) + ")"}});
    Words("Average", {{"consecutive wins", std::to_string(f.averageConsecutiveWins)},
                      {"consecutive losses", std::to_string(f.averageConsecutiveLosses)}});
  }

  void PriceCell(long long points, bool right) {
    out_ << "<td ";
    WritePriceStyle(out_, history_.instrument.digits);
    out_ << (right ? " align=right>" : ">");
    out_.Price(points, history_.instrument.digits);
    out_ << "</td>";
  }

  void Orders(long long initialCents) {
    long long balance = initialCents;
    long long number = 0;
    for (const TesterRow& row : history_.rows) {
      ++number;
      out_ << (number % 2 == 0 ? "<tr bgcolor=\"#E0E0E0\" align=right><td>"
                               : "<tr align=right><td>");
      out_.Whole(number);
      out_ << "</td><td class=msdate>";
      out_.DateTime(row.time, false);
      out_ << "</td><td>" << ActionText(row.action) << "</td><td>";
      out_.Whole(row.order);
      out_ << "</td><td class=mspt>";
      out_.Hundredths(row.lots);
      out_ << "</td>";
      PriceCell(row.price, false);
      PriceCell(row.stopLoss, true);
      PriceCell(row.takeProfit, true);
      if (row.hasProfit) {
        balance += row.profit;
        out_ << "<td class=mspt>";
        out_.Money(row.profit, false);
        out_ << "</td><td class=mspt>";
        out_.Money(balance, false);
        out_ << "</td></tr>";
      } else {
        out_ << "<td colspan=2></td></tr>";
      }
      out_.EndRow();
    }
  }

  PageWriter& out_;
  const TesterHistory& history_;
};

}  // namespace

void WriteTesterPage(PageWriter& out, const TesterHistory& history, long long initialCents) {
  TesterPage(out, history).Write(initialCents);
}

}  // namespace quillfen::synthetic
