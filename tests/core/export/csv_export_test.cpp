#include "export/csv_export.h"

#include <gtest/gtest.h>

#include "../support/grid_report.h"
#include "program_state.h"

namespace quillfen {
namespace {

using testing::GridReport;
using testing::GridTrade;

const std::string kHeader =
    "Ticket;Open date;Open time;Type;Lots;Item;Open price;S/L;T/P;Close date;Close time;"
    "Close price;Comm;Swap;Duration;Pips;Profit;Balance;Dd;Magic;Comment\r\n";

GridTrade Sample() {
  GridTrade t;
  t.ticket = "4711";
  t.symbol = "EURUSD.m";
  t.openPrice = "1.30120";
  t.closeDate = "2010/01/05";
  t.closeTime = "15:05";
  t.closePrice = "1.30220";
  t.commission = "  -1.50";
  t.swap = "   0.25";
  t.marker = "*";
  t.magic = "123";
  t.comment = "tp;hit";
  return t;
}

TEST(CsvExport, StandardFormatUnderEachCharacterChoice) {
  // Opened 2010/01/04 10:00, closed 2010/01/05 15:05: 1 day, 5 hours, 5 minutes.
  const std::string line =
      "4711;2010/01/04;10:00;buy;  1.00;EURUSD.m;1.30120;1.42000;1.44000;2010/01/05;15:05;"
      "1.30220;  -1.50;   0.25;29:05;10;100.00;      1098.75;*;123;tp;hit;";
  auto with = [](std::string text, char from, char to) {
    for (char& c : text)
      if (c == from) c = to;
    return text;
  };
  struct Case {
    const char* name;
    CsvChoices choices;
    std::string expected;
  };
  const Case cases[] = {
      {"comma and semicolon: every dot becomes a comma",
       {true, true, false},
       kHeader + with(line, '.', ',') + "\r\n"},
      {"period and semicolon: unchanged", {false, true, false}, kHeader + line + "\r\n"},
      {"period and tab: every semicolon becomes a tab, the comment's too",
       {false, false, false},
       with(kHeader, ';', '\t') + with(line, ';', '\t') + "\r\n"},
      {"comma and tab",
       {true, false, false},
       with(kHeader, ';', '\t') + with(with(line, '.', ','), ';', '\t') + "\r\n"},
  };
  Report report = GridReport({Sample()}, 1000);
  for (const Case& c : cases) EXPECT_EQ(CsvText(report, c.choices), c.expected) << c.name;
}

TEST(CsvExport, DecimalPeriodTurnsCommasIntoDots) {
  GridTrade t = Sample();
  t.comment = "a,b";
  std::string text = CsvText(GridReport({t}, 1000), {false, true, false});
  EXPECT_NE(text.find(";123;a.b;\r\n"), std::string::npos) << text;
}

TEST(CsvExport, OpenTradeHasNoCloseMomentAndNoDuration) {
  GridTrade t = Sample();
  t.closeDate = "";
  t.closeTime = "16:00";  // a stray time without a date is left out too
  t.closePrice = "1.30220";
  std::string text = CsvText(GridReport({t}, 1000), {false, true, false});
  EXPECT_EQ(text.substr(kHeader.size()),
            "4711;2010/01/04;10:00;buy;  1.00;EURUSD.m;1.30120;1.42000;1.44000;;;1.30220;"
            "  -1.50;   0.25;;10;100.00;      1098.75;*;123;tp;hit;\r\n");
}

TEST(CsvExport, CompactFormatLeavesOutOpenTradesAndMarksSells) {
  GridTrade buy = Sample();
  GridTrade sell = Sample();
  sell.ticket = "4712";
  sell.type = "sell";
  sell.profit = "-12.30";
  GridTrade open = Sample();
  open.ticket = "4713";
  open.closeDate = "";
  open.closeTime = "";
  GridTrade buyStop = Sample();
  buyStop.ticket = "4714";
  buyStop.type = "Buy";  // only exactly "buy" counts as a buy
  std::string text = CsvText(GridReport({buy, sell, open, buyStop}, 1000), {true, false, true});
  EXPECT_EQ(
      text,
      "2010/01/04 10:00, 1.30120, 2010/01/05 15:05, 1.30220, 1.42000, 1, 100.00, ,   1.00\r\n"
      "2010/01/04 10:00, 1.30120, 2010/01/05 15:05, 1.30220, 1.42000, -1, -12.30, ,   1.00\r\n"
      "2010/01/04 10:00, 1.30120, 2010/01/05 15:05, 1.30220, 1.42000, -1, 100.00, ,   1.00\r\n");
}

TEST(CsvExport, EmptyListGivesTheHeaderOnly) {
  EXPECT_EQ(CsvText(GridReport({}, 5000), {true, true, false}), kHeader);
  EXPECT_EQ(CsvText(GridReport({}, 5000), {true, true, true}), "");
}

TEST(CsvExport, LongCommentIsWrittenWhole) {
  GridTrade t = Sample();
  t.comment = std::string(5000, 'x');
  std::string text = CsvText(GridReport({t}, 1000), {true, true, false});
  EXPECT_NE(text.find(";" + std::string(5000, 'x') + ";\r\n"), std::string::npos);
}

TEST(CsvExport, ChoicesComeFromTheOptionsAndTheProgramWideRequest) {
  Report report;
  report.options.csvDecimalComma = false;
  report.options.csvFieldSemicolon = false;
  ProgramState state;
  CsvChoices plain = CsvChoicesOf(report, state);
  EXPECT_FALSE(plain.decimalComma);
  EXPECT_FALSE(plain.fieldSemicolon);
  EXPECT_FALSE(plain.compact);
  state.CompactCsvRequested = true;
  EXPECT_TRUE(CsvChoicesOf(report, state).compact);
}

}  // namespace
}  // namespace quillfen
