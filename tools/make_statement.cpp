// make-statement: writes synthetic MetaTrader 4 account statements and Strategy
// Tester reports of any size, for tests, examples and benchmarks.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <iostream>

#include "synthetic/mt5_deals.h"
#include "synthetic/mt5_history_page.h"
#include "synthetic/mt5_tester_page.h"
#include "synthetic/page_language.h"
#include "synthetic/page_writer.h"
#include "synthetic/statement_history.h"
#include "synthetic/statement_page.h"
#include "synthetic/tester_history.h"
#include "synthetic/tester_page.h"

namespace {

using quillfen::synthetic::HistoryOptions;

struct Choices {
  HistoryOptions history;
  std::string kind = "statement";
  std::string output = "-";
  double deposit = 10000.0;
  bool noSeconds = false;
  bool bareLfRows = false;
  bool magicTooltips = false;
  std::string language = "en";
  std::string charset;
  int dealsColumns = 13;
};

void AddOptions(CLI::App& app, Choices& c) {
  HistoryOptions& h = c.history;
  app.add_option("--kind", c.kind,
                 "statement or tester (MetaTrader 4), mt5-tester or mt5-history (MetaTrader 5, "
                 "UTF-16LE; -n counts closing deals)")
      ->check(CLI::IsMember({"statement", "tester", "mt5-tester", "mt5-history"}))
      ->capture_default_str();
  app.add_option("-n,--trades", h.trades, "closed positions")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--symbols", h.symbols,
                 "symbols; digits follow the name (jpy: 3, xau/gold: 2, else 5); a tester "
                 "report uses the first")
      ->delimiter(',')
      ->capture_default_str();
  app.add_option("--balance-rows", h.balanceRows,
                 "statement balance rows besides the first deposit: deposits, withdrawals, "
                 "interest, fees, rebates, one deposit in six without comment")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_flag("--magic", h.magic, "statement: magic number and comment lines under the orders");
  app.add_flag("--magic-tooltips", c.magicTooltips,
               "statement: magic numbers and comments in the tickets' tooltips only, without "
               "the lines under the orders");
  app.add_option("--open", h.openTrades, "statement: open trades")->check(CLI::NonNegativeNumber);
  app.add_option("--pending", h.pendingOrders,
                 "pending orders: cancelled in a statement, deleted in a tester report")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--working", h.workingOrders, "statement: working orders")
      ->check(CLI::NonNegativeNumber);
  app.add_flag("--taxes,!--no-taxes", h.taxes, "statement: the Taxes column")
      ->capture_default_str();
  app.add_flag("--commission", h.commission, "statement: 7.00 commission per lot");
  app.add_flag("--no-seconds", c.noSeconds, "statement: times without seconds, as old terminals");
  app.add_flag("--whole-money", h.wholeMoney, "money without decimals, as accounts in yen");
  app.add_flag("--lf-rows", c.bareLfRows, "end table rows with LF only (page lines keep CR LF)");
  app.add_option("--swap-reopen", h.swapReopenings,
                 "tester: positions closed and reopened at midnight (swap close / swap open)")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--modify", h.modifications, "tester: modify rows")->check(CLI::NonNegativeNumber);
  app.add_option("--close-at-stop", c.history.closedAtStop,
                 "tester: positions still open at the end, closed at stop")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--deposit", c.deposit, "initial deposit")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  app.add_option("--deals-columns", c.dealsColumns,
                 "mt5-history: the Deals table's columns, 13, 14 (with Fee) or 15 (Cost and Fee)")
      ->check(CLI::IsMember({13, 14, 15}))
      ->capture_default_str();
  app.add_option("--seed", h.seed, "random seed; the same seed writes the same file")
      ->capture_default_str();
  app.add_option("-o,--output", c.output, "output file, - for standard output")
      ->capture_default_str();
  app.add_option("--language", c.language,
                 "the terminal's language: labels, section titles, names and comments (en, fr, "
                 "ru, es, tr, de, ja, zh); the order rows' type words stay English")
      ->check(CLI::IsMember(quillfen::synthetic::PageLanguageCodes()))
      ->capture_default_str();
  app.add_option("--charset", c.charset,
                 "code page of the page: the language's own when empty (en, fr, es, de: "
                 "windows-1252; ru: windows-1251; tr: windows-1254; ja: windows-31j; zh: GBK), "
                 "or UTF-8");
}

// A MetaTrader 5 page: the history's closing deals are the trades asked for;
// positions kept open stay open in an account's history and close at the end
// of a test.
bool WriteMt5Page(quillfen::synthetic::PageWriter& out, const Choices& c) {
  const HistoryOptions& h = c.history;
  const bool tester = c.kind == "mt5-tester";
  quillfen::synthetic::Mt5Options o;
  o.closes = h.trades;
  o.keptOpen = tester ? h.closedAtStop : h.openTrades;
  o.closeKeptAtEnd = tester;
  o.balanceDeals = h.balanceRows;
  o.canceledOrders = h.pendingOrders;
  o.workingOrders = tester ? 0 : h.workingOrders;
  o.commission = h.commission;
  o.fees = !tester && c.dealsColumns >= 14;
  o.wholeMoney = h.wholeMoney;
  o.depositCents = h.depositCents;
  o.symbols = h.symbols;
  o.seed = h.seed;
  const auto history = quillfen::synthetic::MakeMt5History(o);
  out.EncodeUtf16Le();
  const bool japanese = c.language == "ja";
  if (tester)
    WriteMt5TesterPage(out, history, japanese, h.seed);
  else
    WriteMt5HistoryPage(out, history, japanese, c.dealsColumns, h.seed);
  return out.Finish();
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"make-statement: writes a synthetic MetaTrader 4 statement or tester report"};
  Choices c;
  AddOptions(app, c);
  CLI11_PARSE(app, argc, argv);
  c.history.depositCents = std::llround(c.deposit * 100.0);
  const bool magicLines = c.history.magic;
  c.history.magic = c.history.magic || c.magicTooltips;
  const bool mt5 = c.kind.starts_with("mt5-");
  if (mt5 && c.language != "en" && c.language != "ja") {
    std::cerr << "--language " << c.language << ": a MetaTrader 5 page is written in en or ja\n";
    return 2;
  }
  quillfen::synthetic::PageLanguage language;
  if (!quillfen::synthetic::LoadPageLanguage(c.language, c.charset, language)) {
    std::cerr << c.charset << ": not a code page that holds the " << c.language << " texts\n";
    return 2;
  }

  std::FILE* file = c.output == "-" ? stdout : std::fopen(c.output.c_str(), "wb");
  if (file == nullptr) {
    std::cerr << c.output << ": cannot be written\n";
    return 4;
  }
  bool written = false;
  {
    quillfen::synthetic::PageWriter out(file, c.bareLfRows, c.history.wholeMoney ? 0 : 2);
    if (mt5) {
      written = WriteMt5Page(out, c);
    } else if (c.kind == "tester") {
      const auto history = quillfen::synthetic::MakeTesterHistory(c.history);
      WriteTesterPage(out, history, c.history.depositCents, language);
    } else {
      const auto history = quillfen::synthetic::MakeStatementHistory(c.history);
      const quillfen::synthetic::StatementLayout layout{c.history.taxes, !c.noSeconds, magicLines};
      WriteStatementPage(out, history, layout, c.history.depositCents, language);
    }
    if (!mt5) written = out.Finish();
  }
  if (file != stdout && std::fclose(file) != 0) written = false;
  if (!written) {
    std::cerr << c.output << ": cannot be written\n";
    return 4;
  }
  return 0;
}
