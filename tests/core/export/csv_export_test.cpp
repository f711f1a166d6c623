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
      "1.30220;  -1.50;   0.25;29:05;10;100.00;      1098.75;*;123;";
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
  // The comment's semicolon is quoted where it is the separator and kept as it is under tabs.
  const Case cases[] = {
      {"comma and semicolon: every dot becomes a comma",
       {true, true, false},
       kHeader + with(line, '.', ',') + "\"tp;hit\";\r\n"},
      {"period and semicolon: unchanged", {false, true, false}, kHeader + line + "\"tp;hit\";\r\n"},
      {"period and tab: the separators become tabs",
       {false, false, false},
       with(kHeader, ';', '\t') + with(line, ';', '\t') + "tp;hit\t\r\n"},
      {"comma and tab",
       {true, false, false},
       with(kHeader, ';', '\t') + with(with(line, '.', ','), ';', '\t') + "tp;hit\t\r\n"},
  };
  Report report = GridReport({Sample()}, 1000);
  for (const Case& c : cases) EXPECT_EQ(CsvText(report, c.choices), c.expected) << c.name;
}

// The last two fields of the line of a trade with this symbol and comment.
std::string SymbolAndComment(const std::string& symbol, const std::string& comment,
                             const CsvChoices& choices) {
  GridTrade t = Sample();
  t.symbol = symbol;
  t.comment = comment;
  const std::string text = CsvText(GridReport({t}, 1000), choices);
  const std::string line = text.substr(text.find("\r\n") + 2);
  const char separator = choices.fieldSemicolon ? ';' : '\t';
  const std::size_t symbolStart = line.find(separator, line.find("  1") + 1) + 1;
  const std::size_t symbolEnd = line.find(std::string(1, separator) + "1.30120");
  const std::size_t magic = line.find("123");
  return line.substr(symbolStart, symbolEnd - symbolStart) + "|" + line.substr(magic + 4);
}

TEST(CsvExport, FieldsStayWholeAndTextsNeverRunAsFormulas) {
  const CsvChoices period{false, true, false};
  struct Case {
    const char* name;
    std::string symbol, comment, expected;
  };
  const Case cases[] = {
      {"separator in a comment", "EURUSD", "a;b;c", "EURUSD|\"a;b;c\";\r\n"},
      {"quotes doubled", "EURUSD", "say \"hi\"", "EURUSD|\"say \"\"hi\"\"\";\r\n"},
      {"line ends inside", "EURUSD", "one\r\ntwo\nthree", "EURUSD|\"one\r\ntwo\nthree\";\r\n"},
      {"formula in a comment", "EURUSD", "=HYPERLINK(\"http://x\";\"y\")",
       "EURUSD|\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\";\r\n"},
      {"plus and at", "+EURUSD", "@SUM(A1)", "'+EURUSD|'@SUM(A1);\r\n"},
      {"a minus before text", "-EURUSD", "-2+3", "'-EURUSD|'-2+3;\r\n"},
      {"a negative number stays a number", "EURUSD", "-12.5", "EURUSD|-12.5;\r\n"},
      {"tab and carriage return first", "\tEURUSD", "\rx", "'\tEURUSD|\"'\rx\";\r\n"},
      {"a formula character later is text", "EUR=USD", "a=b", "EUR=USD|a=b;\r\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SymbolAndComment(c.symbol, c.comment, period), c.expected) << c.name;

  // Under tabs a tab is what gets quoted; numbers are never touched.
  EXPECT_EQ(SymbolAndComment("EURUSD", "a\tb;c", {false, false, false}), "EURUSD|\"a\tb;c\"\t\r\n");
  GridTrade loss = Sample();
  loss.profit = "-12.50";
  loss.comment = "-3";
  const std::string text = CsvText(GridReport({loss}, 1000), {true, true, false});
  EXPECT_NE(text.find(";-12,50;"), std::string::npos) << text;
  EXPECT_NE(text.find(";123;-3;\r\n"), std::string::npos) << text;
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
            "  -1.50;   0.25;;10;100.00;      1098.75;*;123;\"tp;hit\";\r\n");
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
  CsvChoices plain = CsvChoicesOf(report.options, state);
  EXPECT_FALSE(plain.decimalComma);
  EXPECT_FALSE(plain.fieldSemicolon);
  EXPECT_FALSE(plain.compact);
  state.CompactCsvRequested = true;
  EXPECT_TRUE(CsvChoicesOf(report.options, state).compact);
}

}  // namespace
}  // namespace quillfen
