// A large MetaTrader 5 report has its rows split a batch ahead on a second
// thread. Read one line at a time on one thread, every generated page, whole
// or damaged, gives the same trades, totals and messages, whatever the batch.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "../core/support/road_read.h"
#include "../core/support/temp_dir.h"
#include "import/statement_reader.h"
#include "io/text_pipe.h"
#include "messages.h"
#include "progress.h"
#include "report.h"
#include "synthetic/mt5_deals.h"
#include "synthetic/mt5_history_page.h"
#include "synthetic/mt5_tester_page.h"
#include "synthetic/page_writer.h"

namespace quillfen::synthetic {
namespace {

// The page as the terminal writes it, in UTF-16LE behind a mark.
template <typename Write>
std::string PageFile(testing::TempDir& dir, const std::string& name, Write write) {
  const std::string path = dir / name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  {
    PageWriter out(file, false, 2);
    out.EncodeUtf16Le();
    write(out);
    EXPECT_TRUE(out.Finish());
  }
  std::fclose(file);
  return path;
}

// Everything the reader leaves behind, as text.
std::string ReadWithBatches(const std::string& text, std::size_t linesPerBatch) {
  Report report;
  MessageList messages;
  NoProgress progress;
  TextPipe pipe;
  pipe.Write(text);  // one block: the pipe takes it without waiting
  pipe.CloseWriter();
  ReadStatement(report.full, report.stats, pipe, false, progress, messages, linesPerBatch);
  std::string all;
  for (int row = 0; row < report.full.RowCount(); ++row) {
    for (int column = 0; column < TradeTable::kColumns; ++column)
      all.append(report.full.Cell(column, row)).push_back('|');
    all.push_back('\n');
  }
  const ReportStatistics& s = report.stats;
  for (double figure : {s.statementDeposit, s.initialDeposit, s.depositTotal, s.withdrawalTotal,
                        s.feeTotal, s.testerFinalBalance})
    all += std::to_string(figure) + ' ';
  all += std::to_string(s.mt5TradeDeals) + ' ' + std::to_string(s.mt5Closes) + ' ' +
         std::to_string(s.mt5History) + '\n';
  for (const BalanceRow& balance : s.balanceRows)
    all += balance.date + ' ' + balance.time + ' ' + std::to_string(balance.amount) + '\n';
  for (const PrintedFigure& figure : s.printedFigures)
    all += figure.label + '=' + figure.text + '\n';
  for (const std::string& message : messages.texts) all += message + '\n';
  return all;
}

// Breaks the Deals table's rows from the nth on: an unknown type, a row cut
// short and an amount beyond money, each in a later batch than the one before.
std::string Damaged(std::string text) {
  // The deposit is the Deals table's first row in every language.
  const std::size_t deals = text.find(" balance ");
  EXPECT_NE(deals, std::string::npos);
  std::size_t at = deals;
  for (int line = 0; line < 40 && at != std::string::npos; ++line) at = text.find('\n', at + 1);
  text.insert(at + 1,
              "2020.01.02 10:00:00 999001 EURUSD credit in 0.10 1.10000 5 0.00 0.00 "
              "1.00 1.00\n");
  at = text.find('\n', text.find('\n', at + 1) + 1);
  text.insert(at + 1, "2020.01.02 10:00:00 999002 EURUSD buy in 0.10\n");
  at = text.find('\n', text.find('\n', text.find('\n', at + 1) + 1) + 1);
  text.insert(at + 1,
              "2020.01.02 10:00:00 999003 EURUSD buy in 0.10 1.10000 5 "
              "12345678901234567890.00 0.00 0.00 1.00\n");
  return text;
}

TEST(Mt5ReadAhead, EveryBatchSizeReadsAsOneLineAtATime) {
  testing::TempDir dir;
  Mt5Options options;
  options.closes = 700;
  options.balanceDeals = 5;
  options.commission = true;
  options.keptOpen = 3;
  options.symbols = {"eurusd", "usdjpy", "xauusd"};
  options.seed = 5;
  const Mt5History tester = MakeMt5History(options);
  options.closes = 300;
  options.workingOrders = 2;
  options.fees = true;
  options.seed = 6;
  const Mt5History history = MakeMt5History(options);
  struct Page {
    const char* name;
    std::string path;
  };
  const std::vector<Page> pages = {
      {"tester", PageFile(dir, "tester.htm",
                          [&](PageWriter& out) { WriteMt5TesterPage(out, tester, false, 5); })},
      {"Japanese tester",
       PageFile(dir, "ja.htm", [&](PageWriter& out) { WriteMt5TesterPage(out, tester, true, 5); })},
      {"history, 15 columns", PageFile(dir, "history.htm", [&](PageWriter& out) {
         WriteMt5HistoryPage(out, history, false, 15, 6);
       })}};
  NoProgress progress;
  for (const Page& page : pages) {
    const std::string whole = testing::ConvertedText(page.path, progress);
    for (const std::string& text : {whole, Damaged(whole)}) {
      SCOPED_TRACE(std::string(page.name) + (text == whole ? "" : ", damaged"));
      const std::string alone = ReadWithBatches(text, std::numeric_limits<std::size_t>::max());
      ASSERT_GT(alone.size(), 10000u);
      if (text != whole) {
        EXPECT_NE(alone.find("of a type this program does not read, skipped: 1"),
                  std::string::npos);
        EXPECT_NE(alone.find("that lack cells, not read: 1"), std::string::npos);
        EXPECT_NE(alone.find("beyond 10^15"), std::string::npos);
      }
      for (std::size_t linesPerBatch : {1, 2, 7, 64, 2048}) {
        SCOPED_TRACE(std::to_string(linesPerBatch) + " lines a batch");
        EXPECT_EQ(ReadWithBatches(text, linesPerBatch), alone);
      }
    }
  }
}

// Past some tens of thousands of orders the table's room is made aside too.
TEST(Mt5ReadAhead, ALargeReportReadsAsOneLineAtATime) {
  testing::TempDir dir;
  Mt5Options options;
  options.closes = 20000;
  options.commission = true;
  options.seed = 9;
  const Mt5History history = MakeMt5History(options);
  NoProgress progress;
  const std::string text = testing::ConvertedText(
      PageFile(dir, "large.htm",
               [&](PageWriter& out) { WriteMt5TesterPage(out, history, false, 9); }),
      progress);
  EXPECT_EQ(ReadWithBatches(text, kLinesPerBatch),
            ReadWithBatches(text, std::numeric_limits<std::size_t>::max()));
}

}  // namespace
}  // namespace quillfen::synthetic
