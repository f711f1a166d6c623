// Reads generated pages with the real reader: what the generator wrote must come
// back row for row and cent for cent.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../core/support/road_read.h"
#include "generated_page_folder.h"
#include "import/statement_reader.h"
#include "import/statement_road.h"
#include "import/trade_table.h"
#include "io/text_pipe.h"
#include "messages.h"
#include "progress.h"
#include "report.h"
#include "synthetic/page_writer.h"
#include "synthetic/statement_history.h"
#include "synthetic/statement_page.h"
#include "synthetic/tester_history.h"
#include "synthetic/tester_page.h"
#include "text/text_conversions.h"

namespace quillfen::synthetic {
namespace {

class GeneratedRead : public GeneratedPageFolder {
 protected:
  template <typename Write>
  Report Read(Write write) {
    const std::string page = WritePage(write);
    Report report;
    NoProgress progress;
    const StatementRead read =
        ConvertAndReadStatement(report.full, report.stats, page,
                                (Folder() / "Quillfen.tmp").string(), false, progress, messages_);
    EXPECT_EQ(read.outcome, ReadOutcome::read) << read.reason;
    return report;
  }

  MessageList messages_;
};

double Money(long long cents) {
  return static_cast<double>(cents) / 100.0;
}

std::string FirstWord(const std::string& text) {
  return text.substr(0, text.find(' '));
}

TEST_F(GeneratedRead, StatementComesBackRowForRow) {
  HistoryOptions options;
  options.trades = 300;
  options.balanceRows = 12;
  options.openTrades = 5;
  options.pendingOrders = 6;
  options.workingOrders = 3;
  options.magic = true;
  options.commission = true;
  const StatementHistory history = MakeStatementHistory(options);
  const Report report = Read([&](PageWriter& out) {
    WriteStatementPage(out, history, {true, true, true}, options.depositCents);
  });
  const TradeTable& table = report.full;
  ASSERT_EQ(table.TradeRows(), 300 + 5);

  double deposits = 0, withdrawals = 0, interest = 0, fees = 0, rebates = 0;
  int row = 0;
  for (const std::vector<Order>* orders : {&history.closed, &history.open}) {
    for (const Order& order : *orders) {
      if (order.type == OrderType::Balance) {
        const std::string& c = order.comment;
        if (c.find("Interest") != std::string::npos)
          interest += Money(order.profit);
        else if (c.find("Rebate") != std::string::npos)
          rebates += Money(order.profit);
        else if (c == "Fee")
          fees -= Money(order.profit);
        else if (c.find("Withdrawal") != std::string::npos)
          withdrawals -= Money(order.profit);
        else
          deposits += Money(order.profit);
        continue;
      }
      if (order.type != OrderType::Buy && order.type != OrderType::Sell) continue;
      SCOPED_TRACE("row " + std::to_string(row));
      EXPECT_EQ(TextToWhole(table.Cell(col::ticket, row)), order.ticket);
      EXPECT_EQ(table.Cell(col::symbol, row), history.instruments[order.instrument].name);
      EXPECT_DOUBLE_EQ(TextToAmount(table.Cell(col::profit, row)), Money(order.profit));
      EXPECT_DOUBLE_EQ(TextToAmount(table.Cell(col::swap, row)), Money(order.swap));
      EXPECT_DOUBLE_EQ(TextToAmount(table.Cell(col::commission, row)), Money(order.commission));
      EXPECT_DOUBLE_EQ(TextToAmount(table.Cell(col::taxes, row)), Money(order.taxes));
      EXPECT_EQ(table.Cell(col::closeDate, row).empty(), order.closeTime == 0);
      EXPECT_EQ(table.Cell(col::magic, row), order.magic ? std::to_string(order.magic) : "");
      EXPECT_EQ(table.Cell(col::comment, row), FirstWord(order.comment));
      ++row;
    }
  }
  EXPECT_NEAR(report.stats.depositTotal, deposits, 1e-6);
  EXPECT_NEAR(report.stats.withdrawalTotal, withdrawals, 1e-6);
  EXPECT_NEAR(report.stats.interestTotal, interest, 1e-6);
  EXPECT_NEAR(report.stats.feeTotal, fees, 1e-6);
  EXPECT_NEAR(report.stats.rebateTotal, rebates, 1e-6);
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, Money(options.depositCents));
}

TEST_F(GeneratedRead, TesterReportComesBackPositionForPosition) {
  HistoryOptions options;
  options.trades = 400;
  options.symbols = {"usdjpy"};
  options.modifications = 50;
  options.swapReopenings = 20;
  options.pendingOrders = 10;
  options.closedAtStop = 4;
  const TesterHistory history = MakeTesterHistory(options);
  const Report report =
      Read([&](PageWriter& out) { WriteTesterPage(out, history, options.depositCents); });
  EXPECT_TRUE(messages_.texts.empty());
  const TradeTable& table = report.full;
  // A swap reopening splits a position into two rows.
  ASSERT_EQ(table.TradeRows(), 400 + 20);

  double closedProfit = 0;
  for (const TesterRow& r : history.rows) {
    if (r.hasProfit && r.action != TesterAction::CloseAtStop) closedProfit += Money(r.profit);
  }
  double readProfit = 0;
  int open = 0;
  for (int row = 0; row < table.TradeRows(); ++row) {
    EXPECT_EQ(table.Cell(col::symbol, row), "usdjpy");
    readProfit += TextToAmount(table.Cell(col::profit, row));
    open += table.Cell(col::closeDate, row).empty();
  }
  EXPECT_NEAR(readProfit, closedProfit, 1e-6);
  EXPECT_EQ(open, 4);
}

// Rows finished while the pipe waits for text, some closed again afterwards,
// end as the rows the reading road gives: the writer hands the text over a
// line at a time and pauses, so the reader waits, and finishes rows, often.
TEST_F(GeneratedRead, RowsFinishedWhileWaitingEndAsReadByTheRoad) {
  HistoryOptions options;
  options.trades = 6000;
  options.symbols = {"eurusd", "usdjpy", "xauusd"};
  options.swapReopenings = 300;
  options.closedAtStop = 5;
  options.pendingOrders = 20;
  const TesterHistory tester = MakeTesterHistory(options);
  options.magic = true;
  options.commission = true;
  options.balanceRows = 10;
  const StatementHistory statement = MakeStatementHistory(options);
  for (bool testerPage : {true, false}) {
    const std::string page = (Folder() / "page.htm").string();
    std::FILE* file = std::fopen(page.c_str(), "wb");
    {
      PageWriter out(file, true, 2);
      if (testerPage)
        WriteTesterPage(out, tester, options.depositCents);
      else
        WriteStatementPage(out, statement, {true, true, true}, options.depositCents);
      ASSERT_TRUE(out.Finish());
    }
    std::fclose(file);
    NoProgress progress;
    Report fromRoad;
    ASSERT_EQ(testing::ReadThroughRoad(fromRoad, page, false, messages_).outcome,
              ReadOutcome::read);

    std::istringstream text(testing::ConvertedText(page, progress));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line + "\n");
    Report fromPipe;
    TextPipe pipe;
    std::thread writer([&] {
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!pipe.Write(lines[i])) break;
        if (i % 64 == 0) std::this_thread::sleep_for(std::chrono::microseconds(500));
      }
      pipe.CloseWriter();
    });
    ReadStatement(fromPipe.full, fromPipe.stats, pipe, false, progress, messages_);
    writer.join();

    ASSERT_EQ(fromPipe.full.RowCount(), fromRoad.full.RowCount());
    for (int row = 0; row < fromRoad.full.RowCount(); ++row)
      for (int column = 0; column < TradeTable::kColumns; ++column)
        ASSERT_EQ(fromPipe.full.Cell(column, row), fromRoad.full.Cell(column, row))
            << testerPage << " row " << row << " column " << column;
  }
}

}  // namespace
}  // namespace quillfen::synthetic
