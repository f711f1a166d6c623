#include "synthetic/mt5_history_page.h"

#include "synthetic/mt5_figures.h"
#include "synthetic/mt5_markup.h"

namespace quillfen::synthetic {

namespace {

constexpr long long kMarginPerHundredth = 100;  // cents of margin a hundredth of a lot

std::string Money(long long cents) {
  std::string text;
  AppendMoney(text, cents, true, 2);
  return text;
}

class HistoryPage {
 public:
  HistoryPage(PageWriter& out, const Mt5History& history, bool japanese, int dealsColumns,
              std::uint64_t seed)
      : m_(out, japanese),
        h_(history),
        columns_(dealsColumns),
        results_(Mt5ResultsOf(history, seed)) {}

  void Write() {
    const std::string title =
        "10234567: Synthetic Trader - " + std::string(m_.Word("Trade History Report"));
    m_.Head(title, "client terminal");
    PageWriter& out = m_.Out();
    out << "   <tr align=\"center\">";
    out.EndLine();
    out << "      <td colspan=\"13\"><div style=\"font: 14pt Tahoma\"><b>" << title
        << "</b><br></div></td>";
    out.EndLine();
    out << "   </tr>";
    out.EndLine();
    m_.Setting("Name", "Synthetic Trader");
    m_.Setting("Account", "10234567 (USD, Synthetic-Server, real, Hedge)");
    m_.Setting("Company", "Synthetic Markets Ltd.");
    std::string date;
    {
      const CivilDate day = DateOf(h_.to);
      char text[32];
      std::snprintf(text, sizeof text, "%04d.%02d.%02d %02lld:%02lld", day.year, day.month, day.day,
                    h_.to % kDay / kHour, h_.to % kHour / kMinute);
      date = text;
    }
    m_.Setting("Date", date);
    m_.Gap();
    Positions();
    m_.Gap();
    m_.Orders(h_.orders, h_.instruments, false);
    m_.Gap();
    Deals();
    if (!h_.open.empty()) {
      m_.Gap();
      OpenPositions();
    }
    if (!h_.working.empty()) {
      m_.Gap();
      m_.Orders(h_.working, h_.instruments, true);
    }
    m_.Gap();
    Account();
    m_.Gap();
    Results();
    m_.Gap();
    m_.End();
  }

 private:
  void Positions() {
    m_.Heading("Positions", true);
    m_.Columns({"Time", "Position", "Symbol", "Type", "Volume", "Price", "S / L", "T / P", "Time",
                "Price", "Commission", "Swap", "Profit"});
    for (const Mt5Position& p : h_.positions) {
      const Instrument& instrument = h_.instruments[p.symbol];
      StartPosition(p);
      m_.TimeCell(p.closeTime);
      m_.PriceCell(p.closePrice, instrument.digits);
      m_.MoneyCell(p.commission);
      m_.MoneyCell(p.swap);
      m_.MoneyCell(p.profit);
      m_.FinishRow();
    }
  }

  // Time, Position, Symbol, Type, Volume, Price, S / L, T / P.
  void StartPosition(const Mt5Position& p) {
    const Instrument& instrument = h_.instruments[p.symbol];
    m_.StartRow();
    m_.TimeCell(p.openTime);
    m_.Cell(std::to_string(p.id));
    m_.Cell(instrument.name);
    m_.Cell(p.sell ? "sell" : "buy");
    m_.VolumeCell(p.volume);
    m_.PriceCell(p.openPrice, instrument.digits);
    m_.PriceCell(p.stopLoss, instrument.digits);
    m_.PriceCell(p.takeProfit, instrument.digits);
  }

  void Deals() {
    m_.Heading("Deals", true);
    if (columns_ == 13) {
      m_.Columns({"Time", "Deal", "Symbol", "Type", "Direction", "Volume", "Price", "Order",
                  "Commission", "Swap", "Profit", "Balance", "Comment"});
    } else if (columns_ == 14) {
      m_.Columns({"Time", "Deal", "Symbol", "Type", "Direction", "Volume", "Price", "Order",
                  "Commission", "Fee", "Swap", "Profit", "Balance", "Comment"});
    } else {
      m_.Columns({"Time", "Deal", "Symbol", "Type", "Direction", "Volume", "Price", "Order", "Cost",
                  "Commission", "Fee", "Swap", "Profit", "Balance", "Comment"});
    }
    long long commission = 0, fee = 0, swap = 0, profit = 0, balance = 0;
    for (const Mt5DealRow& deal : h_.deals) {
      m_.DealLead(deal, h_.instruments);
      const bool trade = deal.type != Mt5DealType::balance;
      if (trade) {
        commission += deal.commission;
        fee += deal.fee;
        swap += deal.swap;
        profit += deal.profit;
      }
      if (columns_ == 15) {
        if (trade)
          m_.MoneyCell(deal.cost);
        else
          m_.Cell("");
      }
      m_.MoneyCell(deal.commission);
      if (columns_ >= 14) m_.MoneyCell(deal.fee);
      m_.MoneyCell(deal.swap);
      m_.MoneyCell(deal.profit);
      m_.MoneyCell(deal.balance);
      m_.Cell(deal.comment);
      m_.FinishRow();
      balance = deal.balance;
    }
    std::vector<long long> totals{commission};
    if (columns_ >= 14) totals.push_back(fee);
    totals.insert(totals.end(), {swap, profit, balance});
    m_.DealsFooter(totals, columns_ == 15);
  }

  void OpenPositions() {
    m_.Heading("Open Positions", true);
    m_.Columns({"Time", "Position", "Symbol", "Type", "Volume", "Price", "S / L", "T / P",
                "Market Price", "Swap", "Profit", "Comment"});
    for (const Mt5Position& p : h_.open) {
      StartPosition(p);
      m_.PriceCell(p.marketPrice, h_.instruments[p.symbol].digits);
      m_.MoneyCell(p.swap);
      m_.MoneyCell(p.profit);
      m_.Cell(p.comment);
      m_.FinishRow();
    }
  }

  void Account() {
    const long long balance = h_.deals.back().balance;
    long long floating = 0, margin = 0;
    for (const Mt5Position& p : h_.open) {
      floating += p.profit + p.swap;
      margin += p.volume * kMarginPerHundredth;
    }
    const long long equity = balance + floating;
    std::string level;
    AppendMoney(level, margin > 0 ? (2 * equity * 10000 + margin) / (2 * margin) : 0, false, 2);
    m_.Pairs({{"Balance", Money(balance)}, {"Free Margin", Money(equity - margin)}});
    m_.Pairs({{"Credit Facility", Money(0)}, {"Margin", Money(margin)}});
    m_.Pairs({{"Floating P/L", Money(floating)}, {"Margin Level", level + "%"}});
    m_.Pairs({{"Equity", Money(equity)}});
  }

  // The three balance drawdowns stand under a line of their own.
  void BalanceDrawdownLine() {
    PageWriter& out = m_.Out();
    out << "   <tr align=\"right\">";
    out.EndLine();
    out << "      <td nowrap colspan=\"3\">" << m_.Word("Balance Drawdown") << ":</td>";
    out.EndLine();
    out << "   </tr>";
    out.EndLine();
  }

  Mt5Markup::Pair Of(std::string_view label) { return {label, results_.at(std::string(label))}; }

  void Results() {
    m_.Heading("Results", false);
    m_.Pairs({Of("Total Net Profit"), Of("Gross Profit"), Of("Gross Loss")});
    m_.Pairs({Of("Profit Factor"), Of("Expected Payoff")});
    m_.Pairs({Of("Recovery Factor"), Of("Sharpe Ratio")});
    BalanceDrawdownLine();
    m_.Pairs({Of("Balance Drawdown Absolute"), Of("Balance Drawdown Maximal"),
              Of("Balance Drawdown Relative")});
    m_.Pairs({Of("Total Trades"), Of("Short Trades (won %)"), Of("Long Trades (won %)")});
    m_.Pairs({Of("Profit Trades (% of total)"), Of("Loss Trades (% of total)")});
    m_.Pairs({Of("Largest profit trade"), Of("Largest loss trade")});
    m_.Pairs({Of("Average profit trade"), Of("Average loss trade")});
    m_.Pairs({Of("Maximum consecutive wins ($)"), Of("Maximum consecutive losses ($)")});
    m_.Pairs({Of("Maximal consecutive profit (count)"), Of("Maximal consecutive loss (count)")});
    m_.Pairs({Of("Average consecutive wins"), Of("Average consecutive losses")});
  }

  Mt5Markup m_;
  const Mt5History& h_;
  int columns_;
  const Mt5Results results_;
};

}  // namespace

void WriteMt5HistoryPage(PageWriter& out, const Mt5History& history, bool japanese,
                         int dealsColumns, std::uint64_t seed) {
  HistoryPage(out, history, japanese, dealsColumns, seed).Write();
}

}  // namespace quillfen::synthetic
