#include "synthetic/tester_page.h"

#include <string>
#include <vector>

#include "synthetic/page_language.h"
#include "synthetic/page_style.h"
#include "synthetic/summary_figures.h"

namespace quillfen::synthetic {

namespace {

class TesterPage {
 public:
  TesterPage(PageWriter& out, const TesterHistory& history, const PageLanguage& language)
      : out_(out), history_(history), l_(language) {}

  void Write(long long initialCents) {
    WriteHead(out_, "Strategy Tester: " + l_.expertName,
              "    <meta name=\"version\" content=\"Build 1420\">\r\n"
              "    <meta name=\"server\" content=\"Synthetic-Demo\">\r\n");
    Line("<div style=\"font: 20pt Times New Roman\"><b>Strategy Tester Report</b></div>");
    Line("<div style=\"font: 16pt Times New Roman\"><b>" + l_.expertName + "</b></div>");
    Line("<div style=\"font: 10pt Times New Roman\"><b>Synthetic-Demo (Build 1420)</b></div><br>");
    out_.EndLine();
    Line("<table width=820 cellspacing=1 cellpadding=3 border=0>");
    Settings();
    Results(initialCents);
    out_.EndLine();
    Line("</table>");
    Line("<img src=\"StrategyTester.gif\" width=820 height=200 border=0 alt=\"Graph\"><br>");
    Line("<table width=820 cellspacing=1 cellpadding=3 border=0>");
    out_ << "<tr bgcolor=\"#C0C0C0\" align=right>";
    for (const std::string* head : {&l_.number, &l_.time, &l_.type, &l_.order, &l_.size, &l_.price,
                                    &l_.stopLoss, &l_.takeProfit, &l_.profit, &l_.balance})
      out_ << "<td>" << *head << "</td>";
    Line("</tr>");
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
    Setting(l_.symbol, symbol + " (" + l_.symbolDescription + ")");
    out_ << "<tr align=left><td colspan=2>" << l_.period << "</td><td colspan=4>" << l_.periodUnit
         << "  ";
    out_.DateTime(history_.from, false);
    out_ << " - ";
    out_.DateTime(history_.to, false);
    out_ << "</td></tr>";
    out_.EndLine();
    Setting(l_.model, l_.modelText);
    Setting(l_.parameters, "Lots=0.1; StopLoss=40; TakeProfit=80; Seed=synthetic; ");
    Pairs({{l_.barsInTest, std::to_string((history_.to - history_.from) / kHour)},
           {l_.ticksModelled, std::to_string((history_.to - history_.from) / 7)},
           {l_.modellingQuality, "90.00%"}});
    Pairs({{l_.mismatchedErrors, "0"}, {"", ""}, {"", ""}});
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
    Pairs({{l_.initialDeposit, Cash(initialCents)},
           {"", ""},
           {l_.spread, std::to_string(SpreadPoints(history_.instrument))}});
    Pairs({{l_.totalNetProfit, Cash(f.netProfit)},
           {l_.grossProfit, Cash(f.grossProfit)},
           {l_.grossLoss, Cash(f.grossLoss)}});
    Pairs({{l_.profitFactor, factor}, {l_.expectedPayoff, Cash(f.expectedPayoff)}, {"", ""}});
    Pairs({{l_.absoluteDrawdown, Cash(f.absoluteDrawdown)},
           {l_.maximalDrawdown,
            Cash(f.maximalDrawdown) + " (" + Percent(f.maximalDrawdownPercent) + ")"},
           {l_.relativeDrawdown,
            Percent(f.relativeDrawdownPercent) + " (" + Cash(f.relativeDrawdown) + ")"}});
    Gap();
    Pairs({{l_.totalTrades, std::to_string(f.trades)},
           {l_.shortPositions, Counted(f.shortTrades, PercentOf(f.shortWon, f.shortTrades))},
           {l_.longPositions, Counted(f.longTrades, PercentOf(f.longWon, f.longTrades))}});
    Words("", {{l_.profitTrades, Counted(f.profitTrades, PercentOf(f.profitTrades, f.trades))},
               {l_.lossTrades, Counted(f.lossTrades, PercentOf(f.lossTrades, f.trades))}});
    Words(l_.largest,
          {{l_.profitTrade, Cash(f.largestProfit)}, {l_.lossTrade, Cash(f.largestLoss)}});
    Words(l_.average,
          {{l_.profitTrade, Cash(f.averageProfit)}, {l_.lossTrade, Cash(f.averageLoss)}});
    Words(l_.maximum, {{l_.consecutiveWinsMoney, std::to_string(f.consecutiveWins) + " (" +
                                                     Cash(f.consecutiveWinsMoney) + ")"},
                       {l_.consecutiveLossesMoney, std::to_string(f.consecutiveLosses) + " (" +
                                                       Cash(f.consecutiveLossesMoney) + ")"}});
    Words(l_.maximal,
          {{l_.consecutiveProfitCount,
            Cash(f.consecutiveProfit) + " (" + std::to_string(f.consecutiveProfitCount) + ")"},
           {l_.consecutiveLossCount,
            Cash(f.consecutiveLoss) + " (" + std::to_string(f.consecutiveLossCount) + ")"}});
    Words(l_.average, {{l_.consecutiveWins, std::to_string(f.averageConsecutiveWins)},
                       {l_.consecutiveLosses, std::to_string(f.averageConsecutiveLosses)}});
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
  const PageLanguage& l_;
};

}  // namespace

void WriteTesterPage(PageWriter& out, const TesterHistory& history, long long initialCents,
                     const PageLanguage& language) {
  TesterPage(out, history, language).Write(initialCents);
}

void WriteTesterPage(PageWriter& out, const TesterHistory& history, long long initialCents) {
  PageLanguage english;
  LoadPageLanguage("en", "", english);
  WriteTesterPage(out, history, initialCents, english);
}

}  // namespace quillfen::synthetic
