#include "synthetic/mt5_tester_page.h"

#include "synthetic/mt5_figures.h"
#include "synthetic/mt5_markup.h"

namespace quillfen::synthetic {

namespace {

class TesterPage {
 public:
  TesterPage(PageWriter& out, const Mt5History& history, bool japanese, std::uint64_t seed)
      : m_(out, japanese), h_(history), results_(Mt5ResultsOf(history, seed)) {}

  void Write() {
    const std::string title(m_.Word("Strategy Tester Report"));
    m_.Head(title, "strategy tester");
    Banner(title, "14pt");
    Banner("Synthetic-Demo (Build 5660)", "10pt");
    m_.Gap();
    Settings();
    m_.Gap();
    Results();
    m_.Gap();
    m_.Orders(h_.orders, h_.instruments, false);
    m_.Gap();
    Deals();
    m_.Gap();
    m_.End();
  }

 private:
  void Banner(std::string_view text, std::string_view size) {
    PageWriter& out = m_.Out();
    out << "   <tr align=\"center\">";
    out.EndLine();
    out << "      <td colspan=\"13\"><div style=\"font: " << size << " Tahoma\"><b>" << text
        << "</b><br></div></td>";
    out.EndLine();
    out << "   </tr>";
    out.EndLine();
  }

  void Settings() {
    m_.Heading("Settings", false);
    m_.Setting("Expert", "SyntheticHedger");
    m_.Setting("Symbol", h_.instruments.front().name);
    std::string period = "M1 (";
    AppendDate(period, h_.from);
    period += " - ";
    AppendDate(period, h_.to);
    m_.Setting("Period", period + ")");
    m_.Setting("Inputs", "Lots=0.10");
    m_.Setting("", "PartialCloses=true");
    m_.Setting("", "Hedging=true");
    m_.Setting("Company", "Synthetic Markets Ltd.");
    m_.Setting("Currency", "USD");
    std::string deposit;
    AppendMoney(deposit, h_.deals.front().profit, true, 2);
    m_.Setting("Initial Deposit", deposit);
    m_.Setting("Leverage", "1:100");
  }

  static void AppendDate(std::string& text, Moment moment) {
    const CivilDate date = DateOf(moment);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d.%02d.%02d", date.year, date.month, date.day);
    text += buffer;
  }

  Mt5Markup::Pair Of(std::string_view label) { return {label, results_.at(std::string(label))}; }

  void Results() {
    m_.Heading("Results", false);
    m_.Pairs({{"History Quality", std::string(m_.Word(results_.at("History Quality")))}});
    m_.Pairs({Of("Bars"), Of("Ticks"), Of("Symbols")});
    m_.Pairs(
        {Of("Total Net Profit"), Of("Balance Drawdown Absolute"), Of("Equity Drawdown Absolute")});
    m_.Pairs({Of("Gross Profit"), Of("Balance Drawdown Maximal"), Of("Equity Drawdown Maximal")});
    m_.Pairs({Of("Gross Loss"), Of("Balance Drawdown Relative"), Of("Equity Drawdown Relative")});
    m_.Gap();
    m_.Pairs({Of("Profit Factor"), Of("Expected Payoff"), Of("Margin Level")});
    m_.Pairs({Of("Recovery Factor"), Of("Sharpe Ratio"), Of("Z-Score")});
    m_.Pairs({Of("AHPR"), Of("LR Correlation"), Of("OnTester result")});
    m_.Pairs({Of("GHPR"), Of("LR Standard Error"), {"", ""}});
    m_.Gap();
    m_.Pairs({Of("Total Trades"), Of("Short Trades (won %)"), Of("Long Trades (won %)")});
    m_.Pairs({Of("Total Deals"), Of("Profit Trades (% of total)"), Of("Loss Trades (% of total)")});
    m_.Pairs({Of("Largest profit trade"), Of("Largest loss trade")}, true);
    m_.Pairs({Of("Average profit trade"), Of("Average loss trade")}, true);
    m_.Pairs({Of("Maximum consecutive wins ($)"), Of("Maximum consecutive losses ($)")}, true);
    m_.Pairs({Of("Maximal consecutive profit (count)"), Of("Maximal consecutive loss (count)")},
             true);
    m_.Pairs({Of("Average consecutive wins"), Of("Average consecutive losses")}, true);
    m_.Gap();
    m_.Pairs({Of("Correlation (Profits,MFE)"), Of("Correlation (Profits,MAE)"),
              Of("Correlation (MFE,MAE)")});
    m_.Pairs({Of("Minimal position holding time"), Of("Maximal position holding time"),
              Of("Average position holding time")});
  }

  void Deals() {
    m_.Heading("Deals", true);
    m_.Columns({"Time", "Deal", "Symbol", "Type", "Direction", "Volume", "Price", "Order",
                "Commission", "Swap", "Profit", "Balance", "Comment"});
    long long commission = 0, swap = 0, profit = 0, balance = 0;
    for (const Mt5DealRow& deal : h_.deals) {
      m_.DealLead(deal, h_.instruments);
      if (deal.type != Mt5DealType::balance) {
        commission += deal.commission;
        swap += deal.swap;
        profit += deal.profit;
      }
      m_.MoneyCell(deal.commission);
      m_.MoneyCell(deal.swap);
      m_.MoneyCell(deal.profit);
      m_.MoneyCell(deal.balance);
      m_.Cell(deal.comment);
      m_.FinishRow();
      balance = deal.balance;
    }
    m_.DealsFooter({commission, swap, profit, balance}, false);
  }

  Mt5Markup m_;
  const Mt5History& h_;
  const Mt5Results results_;
};

}  // namespace

void WriteMt5TesterPage(PageWriter& out, const Mt5History& history, bool japanese,
                        std::uint64_t seed) {
  TesterPage(out, history, japanese, seed).Write();
}

}  // namespace quillfen::synthetic
