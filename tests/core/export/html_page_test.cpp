#include "export/html_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "../support/grid_report.h"
#include "report_parts.h"

namespace quillfen {
namespace {

using testing::GridReport;
using testing::GridTrade;

std::vector<std::string> Lines(const std::string& page) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = page.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(page.substr(start, end - start));
  EXPECT_EQ(start, page.size()) << "the page ends with a line end";
  EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), static_cast<long>(lines.size()))
      << "every line end is CR LF";
  return lines;
}

std::string Between(const std::string& page, const std::string& from, const std::string& to) {
  std::size_t a = page.find(from);
  std::size_t b = page.find(to, a);
  EXPECT_NE(a, std::string::npos) << from;
  return a == std::string::npos || b == std::string::npos ? "" : page.substr(a, b - a + to.size());
}

ReportStatistics Figures() {
  ReportStatistics s;
  s.netProfit = 1234.5;
  s.grossProfit = 2000;
  s.grossLoss = -765.5;
  s.swapTotal = -12.25;
  s.commissionTotal = -8;
  s.winPips = 150.4;
  s.lossPips = -60.2;
  s.winCount = 3;
  s.lossCount = 2;
  s.returnPercent = 24.69;
  s.maxDrawdownPercent = 7.25;
  s.periodDays = 42;
  s.initialDeposit = 5000;
  return s;
}

TEST(HtmlPage, HeadAndTitleBlock) {
  Report report = GridReport({}, 5000);
  std::string page =
      HtmlPageText(PageSourceOf(report), {"Quillfen 4.0 - /home/t/statement.htm", 5000, false, ""});
  const std::string expected =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
      "\"http://www.w3.org/TR/html4/strict.dtd\">\r\n"
      "<html>\r\n"
      "  <head>\r\n"
      "    <title>Quillfen 4.0 - /home/t/statement.htm</title>\r\n"
      "    <meta name=\"generator\" content=\"Quillfen\">\r\n"
      "    <link rel=\"help\" href=\"https://www.example.com/quillfen/\">\r\n"
      "    <style type=\"text/css\" media=\"screen\">\r\n"
      "    <!--\r\n"
      "    td { font: 8pt Tahoma,Arial; }\r\n"
      "    //-->\r\n"
      "    </style>\r\n"
      "    <style type=\"text/css\" media=\"print\">\r\n"
      "    <!--\r\n"
      "    td { font: 7pt Tahoma,Arial; }\r\n"
      "    //-->\r\n"
      "    </style>\r\n"
      "    <style type=\"text/css\">\r\n"
      "    <!--\r\n"
      "    .msdate { mso-number-format:\"General Date\"; }\r\n"
      "    .mspt   { mso-number-format:#,##0.00;  }\r\n"
      "    //-->\r\n"
      "    </style>\r\n"
      "  </head>\r\n"
      "<body topmargin=1 marginheight=1>\r\n"
      "<div align=center>\r\n"
      "<table width=700><tr valign=top><td align=center><div style=\"font: 10pt Times New Roman\"> "
      "</div><br>\r\n"
      "</td><td align=right><div style=\"font: 20pt Times New Roman\"><b>Quillfen - 4.0</b></div>"
      "<br>\r\n"
      "</td><td align=right><div style=\"font: 8pt Times New Roman\"><a "
      "href=\"https://www.example.com/quillfen/\">https://www.example.com/quillfen/</a></"
      "div><br>\r\n"
      "</td></tr></table><br>\r\n"
      "<table border=0 width=700>\r\n";
  EXPECT_EQ(page.substr(0, expected.size()), expected);
}

TEST(HtmlPage, SummaryTable) {
  Report report = GridReport({}, 5000);
  report.stats = Figures();
  std::vector<std::string> lines =
      Lines(Between(HtmlPageText(PageSourceOf(report), {"t", 5000, false, ""}), "<table border=0",
                    "</table>\r\n"));
  const std::vector<std::string> expected = {
      "<table border=0 width=700>",
      "<tr><td width=150 align=left><b>Net profit</b></td><td width=100 align=right>     1234.50"
      "</td><td width=170></td><td width=140 align=left><b>Initial deposit</b></td><td width=100 "
      "align=right>     5000.00</td><td></td></tr>",
      "<tr><td align=left><b>Gross profit</b></td><td align=right>     2000.00</td><td></td><td "
      "align=left><b>Interest earned</b></td><td align=right>      -12.25</td><td></td></tr>",
      "<tr><td align=left><b>Gross loss</b></td><td align=right>      765.50</td><td></td><td "
      "align=left><b>Commission paid</b></td><td align=right>        8.00</td><td></td></tr>",
      "<tr><td>&nbsp;</tr>",
      "<tr><td align=left><b>Total number of trades</b></td><td align=right>           5</td><td>"
      "</td><td align=left><b>Percentage profitable</b></td><td align=right>        60.0</td><td>%"
      "</td></tr>",
      // P = 150.4 - 60.2 = 90.2, per trade 18.04
      "<tr><td align=left><b>Total number of pips</b></td><td align=right>          90</td><td>"
      "</td><td align=left><b>Average pips per trade</b></td><td align=right>        18.0</td><td>"
      "</td></tr>",
      "<tr><td>&nbsp;</tr>",
      "<tr><td align=left><b>Number of winning trades</b></td><td align=right>         3</td><td>"
      "</td><td align=left><b>Number of losing trades</b></td><td align=right>          2</td><td>"
      "</td></tr>",
      "<tr><td align=left><b>Average winning trade</b></td><td align=right>      666.67</td><td>"
      "</td><td align=left><b>Average losing trade</b></td><td align=right>      382.75</td><td>"
      "</td></tr>",
      "<tr><td align=left><b>Average winning pips</b></td><td align=right>        50.1</td><td>"
      "</td><td align=left><b>Average losing pips</b></td><td align=right>        30.1</td><td>"
      "</td></tr>",
      "<tr><td>&nbsp;</tr>",
      "<tr><td align=left><b>Return (42.0 days)</b></td><td align=right>        24.7</td><td "
      "align=left>%</td><td align=left><b>Maximum drawdown</b></td><td align=right>         7.2"
      "</td><td>%</td></tr>",
      "</table>"};
  EXPECT_EQ(lines, expected);
}

TEST(HtmlPage, SummaryWithoutTradesAndWithoutDeposit) {
  Report report = GridReport({}, 0);
  report.stats.grossLoss = -0.0;
  report.stats.swapTotal = -0.001;
  const std::string page = HtmlPageText(PageSourceOf(report), {"t", 0, false, ""});
  const std::string summary = Between(page, "<table border=0", "</table>\r\n");
  EXPECT_NE(summary.find("<b>Total number of trades</b></td><td align=right>           0</td><td>"
                         "</td><td align=left><b>Percentage profitable</b></td><td align=right>"
                         "         0.0</td><td>%</td></tr>"),
            std::string::npos);
  EXPECT_NE(summary.find("<b>Average pips per trade</b></td><td align=right>           0</td>"),
            std::string::npos);
  EXPECT_NE(summary.find("<b>Average winning trade</b></td><td align=right>        0.00</td>"),
            std::string::npos);
  EXPECT_NE(summary.find("<b>Average winning pips</b></td><td align=right>         0.0</td>"),
            std::string::npos);
  EXPECT_EQ(summary.find("Return"), std::string::npos);
  EXPECT_EQ(summary.find("-0"), std::string::npos) << "no signed zero";
  EXPECT_EQ(summary.substr(summary.size() - 31), "<tr><td>&nbsp;</tr>\r\n</table>\r\n");
}

std::vector<GridTrade> ThreeTrades() {
  GridTrade a;
  a.ticket = "101";
  a.commission = "  -1.50";
  a.swap = "  -0.25";
  a.magic = "777";
  a.comment = "grid &amp; <b>";
  GridTrade b;
  b.ticket = "102";
  b.type = "sell";
  b.profit = "-20.00";
  b.marker = "*";
  GridTrade c;
  c.ticket = "103";
  c.closeDate = "";
  c.closeTime = "";
  c.comment = "open one";
  return {a, b, c};
}

TEST(HtmlPage, TradeRowsPlain) {
  const std::string page =
      HtmlPageText(PageSourceOf(GridReport(ThreeTrades(), 1000)), {"t", 1000, false, ""});
  const std::string rows = Between(page, "<td>Dd</TD></tr>\r\n", "   </table><br><br>\r\n");
  const std::string expected =
      "<td>Dd</TD></tr>\r\n"
      "<tr align=right><td>101</td><td>2010/01/04 10:00</td><td>buy</td><td>  1.00</td>"
      "<td>eurusd</td><td>1.43150</td><td>1.42000</td><td>1.44000</td><td>2010/01/05 12:30</td>"
      "<td>1.43250</td><!-- -   -1.50    -0.25  100.00--><td>10</td><td>100.00</td>"
      "<td>      1098.25</td><td></td></tr>\r\n"
      "<tr bgcolor=#E0E0E0 align=right><td>102</td><td>2010/01/04 10:00</td><td>sell</td>"
      "<td>  1.00</td><td>eurusd</td><td>1.43150</td><td>1.42000</td><td>1.44000</td>"
      "<td>2010/01/05 12:30</td><td>1.43250</td><!-- -    0.00     0.00  -20.00--><td>10</td>"
      "<td>-20.00</td><td>      1078.25</td><td>*</td></tr>\r\n"
      "<tr align=right><td>103</td><td>2010/01/04 10:00</td><td>buy</td><td>  1.00</td>"
      "<td>eurusd</td><td>1.43150</td><td>1.42000</td><td>1.44000</td><td> </td>"
      "<td>1.43250</td><!-- -    0.00     0.00  100.00--><td>10</td><td>100.00</td>"
      "<td>      1178.25</td><td></td></tr>\r\n"
      "   </table><br><br>\r\n";
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(page.substr(page.size() - 25), "   </div></body></html>\r\n");
  EXPECT_EQ(page.find("<img"), std::string::npos);
}

TEST(HtmlPage, DetailedAddsMagicAndCommentLinesWithTheTradesShading) {
  std::vector<GridTrade> trades = ThreeTrades();
  trades[1].magic = "9007199254740993";  // beyond 32 bits and a double's whole numbers
  const std::string page =
      HtmlPageText(PageSourceOf(GridReport(trades, 1000)), {"t", 1000, true, "r.jpg"});
  EXPECT_NE(page.find("<table border=0 width=700>"), std::string::npos);
  EXPECT_NE(page.find("</table>\r\n&nbsp;<br><img src=r.jpg><br>\r\n<table cellspacing=1 "
                      "cellpadding=3 border=0 width=700>\r\n"),
            std::string::npos);
  EXPECT_NE(page.find("<td></td>\r\n<tr align=right><td colspan=9></td><td>777</td>"
                      "<td colspan=4>grid &amp; &lt;b&gt;</td></tr>\r\n</tr>\r\n"),
            std::string::npos);
  EXPECT_NE(page.find("<td>*</td>\r\n<tr bgcolor=#E0E0E0 align=right><td colspan=9></td>"
                      "<td>9007199254740993</td><td colspan=4></td></tr>\r\n</tr>\r\n"),
            std::string::npos);
  EXPECT_NE(page.find("<td></td>\r\n<tr align=right><td colspan=9></td><td></td>"
                      "<td colspan=4>open one</td></tr>\r\n</tr>\r\n"),
            std::string::npos);
}

TEST(HtmlPage, NoTextInjectsMarkup) {
  std::vector<GridTrade> trades = ThreeTrades();
  trades[0].symbol = "eur<script>";
  trades[0].profit = "1-->2";
  const std::string page =
      HtmlPageText(PageSourceOf(GridReport(trades, 1000)),
                   {"Quillfen 4.0 - /tmp/a<b>&c.htm", 1000, true, "a<b> \"x\".jpg"});
  EXPECT_NE(page.find("<title>Quillfen 4.0 - /tmp/a&lt;b&gt;&amp;c.htm</title>"),
            std::string::npos);
  EXPECT_NE(page.find("<td>eur&lt;script&gt;</td>"), std::string::npos);
  EXPECT_NE(page.find("  1--&gt;2-->"), std::string::npos);
  EXPECT_NE(page.find("<img src=a%3Cb%3E%20%22x%22.jpg>"), std::string::npos);
}

TEST(HtmlPage, EmptyListWritesNoRow) {
  const std::string page = HtmlPageText(PageSourceOf(GridReport({}, 5000)), {"t", 5000, true, ""});
  EXPECT_NE(page.find("<td>Dd</TD></tr>\r\n   </table><br><br>\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quillfen
