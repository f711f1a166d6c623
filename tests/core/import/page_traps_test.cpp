// Pages that a careless tool or an attacker might write: markup that is odd
// but readable, a line end inside a tooltip, a code page that cannot be, bytes
// that are no UTF-8. Each must read every trade the clean page reads.
#include <gtest/gtest.h>

#include "actions/export_actions.h"

#include <string>
#include <vector>

#include "../report_invariants.h"
#include "../support/temp_dir.h"
#include "export/csv_export.h"
#include "export/html_export.h"
#include "import_test_support.h"
#include "program_state.h"
#include "text/charset.h"

namespace quillfen {
namespace {

struct PageParts {
  std::string head;           // in the head, after the title
  std::string before7;        // before the seventh trade's row
  std::string cell7;          // the attributes of the seventh ticket cell
  std::string note = "note";  // every ticket tooltip's comment
};

PageParts InHead(std::string text) {
  PageParts parts;
  parts.head = std::move(text);
  return parts;
}

PageParts Before7(std::string text) {
  PageParts parts;
  parts.before7 = std::move(text);
  return parts;
}

PageParts Cell7(std::string attributes) {
  PageParts parts;
  parts.cell7 = std::move(attributes);
  return parts;
}

PageParts WithNote(std::string note) {
  PageParts parts;
  parts.note = std::move(note);
  return parts;
}

// A statement of twelve trades, each with a ticket tooltip, its lines ended
// as the terminal ends them.
std::string TwelveTradePage(const PageParts& parts) {
  const double profits[] = {25.40, -13.20, 8.00,  -41.70, 60.10, -7.30,
                            33.30, -19.90, 12.00, -2.50,  44.40, -6.60};
  std::string page =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html>\r\n  <head>\r\n"
      "    <title>Statement: 1001 - Test</title>\r\n" +
      parts.head +
      "  </head>\r\n<body>\r\n<table>\r\n"
      "<tr align=left><td colspan=13><b>Closed Transactions:</b></td></tr>\r\n"
      "<tr align=center bgcolor=\"#C0C0C0\"><td>Ticket</td><td>Open Time</td><td>Type</td>"
      "<td>Size</td><td>Item</td><td>Price</td><td>S / L</td><td>T / P</td><td>Close Time</td>"
      "<td>Price</td><td>Commission</td><td>Taxes</td><td>Swap</td><td>Profit</td></tr>\r\n"
      "<tr align=right><td>100</td><td>2010.01.04 09:00:00</td><td>balance</td>"
      "<td colspan=10>Deposit</td><td>1 000.00</td></tr>\r\n";
  for (int n = 1; n <= 12; ++n) {
    char row[512];
    const std::string day = (n + 4 < 10 ? "0" : "") + std::to_string(n + 4);
    std::snprintf(row, sizeof row,
                  "<td>%s</td><td>0.10</td><td>eurusd</td><td>1.43150</td><td>0.00000</td>"
                  "<td>0.00000</td><td>2010.01.%s 11:00:00</td><td>1.43250</td><td>0.00</td>"
                  "<td>0.00</td><td>0.00</td><td>%.2f</td></tr>\r\n",
                  n % 2 ? "buy" : "sell", day.c_str(), profits[n - 1]);
    if (n == 7) page += parts.before7;
    const std::string cell =
        n == 7 && !parts.cell7.empty()
            ? parts.cell7
            : " title=\"#" + std::to_string(700 + n) + " " + parts.note + std::to_string(n) + "\"";
    page += "<tr align=right><td" + cell + ">" + std::to_string(100 + n) + "</td><td>2010.01." +
            day + " 10:00:00</td><td>" + row;
  }
  return page +
         "<tr align=right><td colspan=12><b>Closed P/L:</b></td><td colspan=2><b>92.00</b></td>"
         "</tr>\r\n</table></body></html>\r\n";
}

Report ReadPage(const std::string& page) {
  TempDir dir;
  Report report;
  EXPECT_TRUE(OpenFiles(report, {dir.Write("page.htm", page)}));
  ExpectTableInvariants(report);
  return report;
}

// Every cell of every row, and the net profit, as the clean page has them.
void ExpectSameTable(const Report& report, const Report& clean, const std::string& what) {
  ASSERT_EQ(report.full.TradeRows(), 12) << what;
  ASSERT_EQ(report.full.RowCount(), clean.full.RowCount()) << what;
  for (int row = 0; row < clean.full.RowCount(); ++row)
    for (int column = 0; column < TradeTable::kColumns; ++column)
      ASSERT_EQ(report.full.Cell(column, row), clean.full.Cell(column, row))
          << what << ": row " << row << " column " << column;
  EXPECT_DOUBLE_EQ(report.stats.netProfit, clean.stats.netProfit) << what;
}

// A "<" that opens no tag, a comment that holds "<" or ">", a quoted value
// that holds either, a tag or a quote left open: each read as a browser reads
// it, and what follows is read.
TEST(PageTraps, OddMarkupHidesNoTrade) {
  const Report clean = ReadPage(TwelveTradePage({}));
  ASSERT_EQ(clean.full.TradeRows(), 12);
  const std::vector<PageParts> traps = {
      InHead("    <meta name=\"description\" content=\"profit<loss\">\r\n"),
      InHead("    <!-- a < b -->\r\n"),
      InHead("    <!-- a > b, <c -->\r\n"),
      InHead("    <p>1 < 2 and 3<4</p>\r\n"),
      InHead("    <meta name=\"keywords\" content=\"x\r\n"),  // a quote that never closes
      InHead("    <meta x=\"\r\n"),
      InHead("    <meta name=x\r\n"),  // a tag that never closes
      InHead("    <meta name=x"),
      Before7("<!-- a < b -->\r\n"),
      Before7("<!-- <tr><td>999</td> -->\r\n"),
      Before7("<p title=\"1<2\"></p>\r\n"),
      Before7("<p title='1<2'></p><p title=\"a>b\"></p>\r\n"),
      Before7("<p class=\"odd>\r\n"),
      Before7("<p class=\"odd></p>\r\n"),
      Before7("<p class=odd\r\n"),
      Before7("<?php x ?>\r\n"),
  };
  for (const PageParts& trap : traps) {
    const Report report = ReadPage(TwelveTradePage(trap));
    ExpectSameTable(report, clean, trap.head + trap.before7);
  }
  // A "<" in the seventh ticket's own tooltip: its text is the comment.
  const Report report = ReadPage(TwelveTradePage(Cell7(" title=\"a<b #707 x\"")));
  ASSERT_EQ(report.full.TradeRows(), 12);
  EXPECT_EQ(Cells(report, 6, {col::ticket, col::magic, col::comment}), "107||a<b #707 x");
  EXPECT_EQ(Cells(report, 11, {col::ticket, col::magic, col::comment}), "112|712|note12");
}

// A comment may hold a line end, which the tooltip then holds: the row goes on.
TEST(PageTraps, ALineEndInATooltipEndsNoRow) {
  const Report clean = ReadPage(TwelveTradePage(Cell7(" title=\"#707 note 7\"")));
  for (const char* end : {"\r", "\n", "\r\n"}) {
    const Report report =
        ReadPage(TwelveTradePage(Cell7(" title=\"#707 note" + std::string(end) + "7\"")));
    ExpectSameTable(report, clean, end);
  }
  // A quote open for longer than a tooltip may run ends at its tag's end.
  std::string lines;
  for (int n = 0; n < 20; ++n) lines += "\r\nx";
  const Report report = ReadPage(TwelveTradePage(Cell7(" title=\"#707" + lines + "\"")));
  ASSERT_EQ(report.full.TradeRows(), 12);
  EXPECT_EQ(Cells(report, 11, {col::ticket, col::magic, col::comment}), "112|712|note12");
  // A quote that never closes takes its own row, never the next.
  const Report stray = ReadPage(TwelveTradePage(Cell7(" title=\"#707 odd")));
  ASSERT_EQ(stray.full.TradeRows(), 11);
  EXPECT_EQ(Cells(stray, 5, {col::ticket, col::magic, col::comment}), "106|706|note6");
  EXPECT_EQ(Cells(stray, 6, {col::ticket, col::magic, col::comment}), "108|708|note8");
}

// A page whose declaration stands in ASCII bytes is in no 16- or 32-bit form
// and no EBCDIC code page: such a declaration is left for what the bytes show.
TEST(PageTraps, ACodePageTheBytesCannotBeIsIgnored) {
  const PageParts cp1252 = WithNote("caf\xE9");
  const Report clean = ReadPage(TwelveTradePage(cp1252));
  EXPECT_EQ(Cells(clean, 0, {col::ticket, col::magic, col::comment}), "101|701|café1");
  for (const char* charset : {"UTF-16", "utf-16le", "UTF-32", "ucs-2", "ibm-037", "cp500"}) {
    PageParts declared = cp1252;
    declared.head = "    <meta http-equiv=\"Content-Type\" content=\"text/html; charset=" +
                    std::string(charset) + "\">\r\n";
    EXPECT_EQ(DetectCharset(TwelveTradePage(declared)), "windows-1252") << charset;
    ExpectSameTable(ReadPage(TwelveTradePage(declared)), clean, charset);
  }
}

// Bytes that are no UTF-8 on a page read as UTF-8 become U+FFFD, in the table
// and in everything written from it; the page's UTF-8 stays as it is.
TEST(PageTraps, EveryTextReadIsUtf8) {
  const std::string utf8 =
      "    <meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=utf-8\">\r\n";
  for (const auto& [note, comment] :
       std::vector<std::pair<std::string, std::string>>{{"caf\xC3\xA9", "café1"},
                                                        {"caf\xE9", "caf\uFFFD1"},
                                                        {"\xC3\xA9\xE2\x82", "é\uFFFD1"},
                                                        {"\xF0\x9F\x98", "\uFFFD1"}}) {
    for (const std::string& head : {utf8, std::string()}) {
      PageParts parts = WithNote(note);
      parts.head = head;
      const Report report = ReadPage(TwelveTradePage(parts));
      ASSERT_EQ(report.full.TradeRows(), 12) << note;
      if (!head.empty()) {
        EXPECT_EQ(Cells(report, 0, {col::ticket, col::magic, col::comment}), "101|701|" + comment)
            << note;
      }
      for (int row = 0; row < report.full.RowCount(); ++row)
        for (int column = 0; column < TradeTable::kColumns; ++column)
          ASSERT_TRUE(IsUtf8(report.full.Cell(column, row))) << note << ": row " << row;
    }
  }
  testing::TempDir dir;
  Report report;
  WriteGridHeaders(report);
  ASSERT_TRUE(OpenReport(report, FixturePath("statement_broken_utf8.htm")));
  ExportResult exported = ExportCsvReport(report, ProgramState{}, report.options, dir / "page.csv");
  ASSERT_EQ(exported.outcome, ExportOutcome::written) << exported.reason;
  const ChartRenderer blank = [](const DisplayList& list) {
    return RgbImage{
        list.width, list.height,
        std::vector<std::uint8_t>(static_cast<std::size_t>(list.width) * list.height * 3)};
  };
  exported = ExportHtmlReport(report, report.options, {dir / "page.htm", "t", true}, blank);
  ASSERT_EQ(exported.outcome, ExportOutcome::written) << exported.reason;
  for (const char* name : {"page.csv", "page.htm"}) {
    const std::string text = testing::ReadFile(dir / name);
    EXPECT_TRUE(IsUtf8(text)) << name;
    EXPECT_NE(text.find("caf\uFFFD"), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace quillfen
