// make-statement: writes synthetic MetaTrader 4 account statements and Strategy
// Tester reports of any size, for tests, examples and benchmarks.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <iostream>

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
};

void AddOptions(CLI::App& app, Choices& c) {
  HistoryOptions& h = c.history;
  app.add_option("--kind", c.kind, "statement or tester")
      ->check(CLI::IsMember({"statement", "tester"}))
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

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"make-statement: writes a synthetic MetaTrader 4 statement or tester report"};
  Choices c;
  AddOptions(app, c);
  CLI11_PARSE(app, argc, argv);
  c.history.depositCents = std::llround(c.deposit * 100.0);
  const bool magicLines = c.history.magic;
  c.history.magic = c.history.magic || c.magicTooltips;
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
    if (c.kind == "tester") {
      const auto history = quillfen::synthetic::MakeTesterHistory(c.history);
      WriteTesterPage(out, history, c.history.depositCents, language);
    } else {
      const auto history = quillfen::synthetic::MakeStatementHistory(c.history);
      const quillfen::synthetic::StatementLayout layout{c.history.taxes, !c.noSeconds, magicLines};
      WriteStatementPage(out, history, layout, c.history.depositCents, language);
    }
    written = out.Finish();
  }
  if (file != stdout && std::fclose(file) != 0) written = false;
  if (!written) {
    std::cerr << c.output << ": cannot be written\n";
    return 4;
  }
  return 0;
}
