// Generated MetaTrader 5 account histories opened as the program opens them:
// the figures the core computes from the positions and deals it read equal
// the Results block the generator worked out apart from it.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "../core/support/temp_dir.h"
#include "actions/opening_actions.h"
#include "messages.h"
#include "progress.h"
#include "report.h"
#include "synthetic/mt5_deals.h"
#include "synthetic/mt5_history_page.h"
#include "synthetic/page_writer.h"

namespace quillfen::synthetic {
namespace {

// Hedging, partial closes, reversals by one deal, closes by the opposite
// position, open positions, deposits and withdrawals among the trades, and
// the three Deals layouts, in both languages.
TEST(Mt5HistoryFigures, GeneratedHistoriesGiveTheirPrintedFigures) {
  quillfen::testing::TempDir folder;
  const std::string path = folder / "history.htm";
  int pages = 0;
  for (std::uint64_t seed : {1, 2, 3, 4}) {
    for (int columns : {13, 14, 15}) {
      Mt5Options options;
      options.closes = 300;
      options.keptOpen = 3;
      options.commission = seed % 2 == 0;
      options.fees = columns > 13;
      options.balanceDeals = seed == 3 ? 0 : 5;
      options.symbols = {"EURUSD", "USDJPY", "XAUUSD"};
      options.seed = seed;
      const Mt5History history = MakeMt5History(options);
      const bool japanese = columns == 14;
      SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(columns) + " columns");
      {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        PageWriter out(file, false, 2);
        out.EncodeUtf16Le();
        WriteMt5HistoryPage(out, history, japanese, columns, seed);
        ASSERT_TRUE(out.Finish());
        std::fclose(file);
      }
      Report report;
      ProgramState state;
      NoProgress progress;
      MessageList messages;
      const OpenResult result = OpenStatement(
          path, folder / "Quillfen.tmp", [&]() -> Report& { return report; }, state, progress,
          messages);
      ASSERT_EQ(result.outcome, OpenOutcome::opened);
      EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
      std::map<std::string, std::string> printed;
      for (const PrintedFigure& figure : report.stats.printedFigures)
        printed[figure.label] = figure.text;
      ASSERT_EQ(printed.size(), 25U);
      ASSERT_EQ(report.terminalFigures.size(), 23U);
      for (const FigureLine& line : report.terminalFigures)
        EXPECT_EQ(line.text, printed[line.label]) << line.label;
      ++pages;
    }
  }
  EXPECT_EQ(pages, 12);
}

}  // namespace
}  // namespace quillfen::synthetic
