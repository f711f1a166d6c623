#include "export/html_page.h"

#include <cmath>
#include <cstdint>

#include "analysis/trade_selection.h"
#include "export/html_text.h"
#include "program_info.h"
#include "text/charset.h"
#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

std::string Whole(long long value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), ' ');
  return digits;
}

std::string Fixed(double value, int width, int decimals) {
  return FormatFixed(value, width, decimals);
}

void AppendHead(std::string& page, const std::string& title) {
  page +=
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
      "\"http://www.w3.org/TR/html4/strict.dtd\">\n"
      "<html>\n"
      "  <head>\n"
      "    <title>";
  AppendHtmlText(page, title);
  page += "</title>\n    <meta name=\"generator\" content=\"Quillfen\">\n";
  page += std::string("    <link rel=\"help\" href=\"") + kWebSite + "\">\n";
  struct MediaStyle {
    const char* media;
    const char* points;
  };
  for (MediaStyle style : {MediaStyle{"screen", "8"}, MediaStyle{"print", "7"}})
    page += std::string("    <style type=\"text/css\" media=\"") + style.media +
            "\">\n    <!--\n    td { font: " + style.points +
            "pt Tahoma,Arial; }\n    //-->\n    </style>\n";
  page +=
      "    <style type=\"text/css\">\n"
      "    <!--\n"
      "    .msdate { mso-number-format:\"General Date\"; }\n"
      "    .mspt   { mso-number-format:#,##0.00;  }\n"
      "    //-->\n"
      "    </style>\n"
      "  </head>\n"
      "<body topmargin=1 marginheight=1>\n"
      "<div align=center>\n"
      "<table width=700><tr valign=top><td align=center>"
      "<div style=\"font: 10pt Times New Roman\"> </div><br>\n"
      "</td><td align=right>";
  page += std::string("<div style=\"font: 20pt Times New Roman\"><b>Quillfen - ") + kMajorVersion +
          "." + kMinorVersion + "</b></div><br>\n</td><td align=right>";
  page += std::string("<div style=\"font: 8pt Times New Roman\"><a href=\"") + kWebSite + "\">" +
          kWebSite + "</a></div><br>\n";
  page += "</td></tr></table><br>\n";
}

void AppendSummary(std::string& page, const ReportStatistics& s, float deposit) {
  const int w = s.winCount, l = s.lossCount;
  const double pips = s.lossPips + s.winPips;
  const char* kSpacer = "<tr><td>&nbsp;</tr>\n";
  page += "<table border=0 width=700>\n";
  page += "<tr><td width=150 align=left><b>Net profit</b></td><td width=100 align=right>" +
          Fixed(s.netProfit, 12, 2) +
          "</td><td width=170></td><td width=140 align=left><b>Initial deposit</b></td>"
          "<td width=100 align=right>" +
          Fixed(deposit, 12, 2) + "</td><td></td></tr>\n";
  page += "<tr><td align=left><b>Gross profit</b></td><td align=right>" +
          Fixed(s.grossProfit, 12, 2) +
          "</td><td></td><td align=left><b>Interest earned</b></td><td align=right>" +
          Fixed(s.swapTotal, 12, 2) + "</td><td></td></tr>\n";
  page += "<tr><td align=left><b>Gross loss</b></td><td align=right>" + Fixed(-s.grossLoss, 12, 2) +
          "</td><td></td><td align=left><b>Commission paid</b></td><td align=right>" +
          Fixed(std::fabs(s.commissionTotal), 12, 2) + "</td><td></td></tr>\n";
  page += kSpacer;
  const bool any = w + l != 0;
  page += "<tr><td align=left><b>Total number of trades</b></td><td align=right>" +
          Whole(w + l, 12) +
          "</td><td></td><td align=left><b>Percentage profitable</b></td><td align=right>" +
          Fixed(any ? w * 100.0 / (w + l) : 0.0, 12, 1) + "</td><td>%</td></tr>\n";
  page += "<tr><td align=left><b>Total number of pips</b></td><td align=right>" +
          Fixed(pips, 12, 0) +
          "</td><td></td><td align=left><b>Average pips per trade</b></td><td align=right>" +
          (any ? Fixed(pips / (w + l), 12, 1) : Whole(0, 12)) + "</td><td></td></tr>\n";
  page += kSpacer;
  page += "<tr><td align=left><b>Number of winning trades</b></td><td align=right>" + Whole(w, 10) +
          "</td><td></td><td align=left><b>Number of losing trades</b></td><td align=right>" +
          Whole(l, 11) + "</td><td></td></tr>\n";
  page += "<tr><td align=left><b>Average winning trade</b></td><td align=right>" +
          Fixed(w ? s.grossProfit / w : 0.0, 12, 2) +
          "</td><td></td><td align=left><b>Average losing trade</b></td><td align=right>" +
          Fixed(l ? -s.grossLoss / l : 0.0, 12, 2) + "</td><td></td></tr>\n";
  page += "<tr><td align=left><b>Average winning pips</b></td><td align=right>" +
          Fixed(w ? s.winPips / w : 0.0, 12, 1) +
          "</td><td></td><td align=left><b>Average losing pips</b></td><td align=right>" +
          Fixed(l ? -s.lossPips / l : 0.0, 12, 1) + "</td><td></td></tr>\n";
  page += kSpacer;
  if (deposit != 0)
    page += "<tr><td align=left><b>Return (" + Fixed(s.periodDays, 0, 1) +
            " days)</b></td><td align=right>" + Fixed(s.returnPercent, 12, 1) +
            "</td><td align=left>%</td><td align=left><b>Maximum drawdown</b></td>"
            "<td align=right>" +
            Fixed(s.maxDrawdownPercent, 12, 1) + "</td><td>%</td></tr>\n";
  page += "</table>\n";
}

// The terminal's own figures, label and printed text.
void AppendTerminalFigures(std::string& page, const std::vector<FigureLine>& lines) {
  if (lines.empty()) return;
  page += "<br><table border=0 width=700>\n";
  for (const FigureLine& line : lines) {
    page += "<tr><td width=300 align=left><b>";
    AppendCellText(page, line.label);
    page += "</b></td><td width=150 align=right>";
    AppendCellText(page, line.text);
    page += "</td><td></td></tr>\n";
  }
  page += "</table>\n";
}

void AppendTradesHead(std::string& page) {
  page +=
      "<table cellspacing=1 cellpadding=3 border=0 width=700>\n"
      "<tr align=left>\n"
      "<br>\n"
      "<tr align=left><td colspan=13><b></b></td></tr>\n"
      "<tr align=center bgcolor=\"#C0C0C0\">\n"
      "   <td width=45>Ticket</td><td nowrap>Open Time</td><td>Type</td><td>Lots</td>"
      "<td>Item</td>\n"
      "   <td>Price</td><td>S / L</td><td>T / P</td><td nowrap>Close Time</td>\n"
      "   <td>Price</td><td>Pips</td><td>Profit</td><td width=60>Balance</td><td>Dd</TD></tr>\n";
}

void AppendCell(std::string& page, std::string_view text) {
  page += "<td>";
  AppendCellText(page, text);
  page += "</td>";
}

void AppendCell(std::string& page, std::string_view first, std::string_view second) {
  page += "<td>";
  AppendCellText(page, first);
  page += ' ';
  AppendCellText(page, second);
  page += "</td>";
}

void AppendTradeRow(std::string& page, const TradeViews& report, int r, bool detailed) {
  const VisibleGrid& a = report.grid1;
  const VisibleGrid& b = report.grid2;
  const char* rowOpen = r % 2 == 0 ? "<tr bgcolor=#E0E0E0 align=right>" : "<tr align=right>";
  page += rowOpen;
  AppendCell(page, a.Cell(g1::ticket, r));
  AppendCell(page, a.Cell(g1::openDate, r), a.Cell(g1::openTime, r));
  for (int column : {g1::type, g1::lots, g1::symbol, g1::openPrice})
    AppendCell(page, a.Cell(column, r));
  AppendCell(page, b.Cell(g2::stopLoss, r));
  AppendCell(page, b.Cell(g2::takeProfit, r));
  if (!a.Cell(g1::closeDate, r).empty())
    AppendCell(page, a.Cell(g1::closeDate, r), a.Cell(g1::closeTime, r));
  else
    page += "<td> </td>";
  // An open position of which no price is known: an empty cell would shift
  // the cells after it when the page is read back.
  const std::string_view closePrice = a.Cell(g1::closePrice, r);
  AppendCell(page, closePrice.empty() ? std::string_view("0") : closePrice);
  page += "<!-- - ";
  AppendCellText(page, b.Cell(g2::commission, r));
  page += kHiddenValueSeparator;
  AppendCellText(page, b.Cell(g2::swap, r));
  page += kHiddenValueSeparator;
  AppendCellText(page, a.Cell(g1::profit, r));
  page += "-->";
  for (int column : {g1::pips, g1::profit, g1::balance, g1::marker})
    AppendCell(page, a.Cell(column, r));
  const std::int64_t magic = TextToLongWhole(b.Cell(g2::magic, r));
  const std::string_view comment = b.Cell(g2::comment, r);
  if (detailed && (magic != 0 || !comment.empty())) {
    page += '\n';
    page += rowOpen;
    page += "<td colspan=9></td>";
    page += magic != 0 ? "<td>" + std::to_string(magic) + "</td>" : std::string("<td></td>");
    page += "<td colspan=4>";
    AppendCellText(page, comment);
    page += "</td></tr>\n";
  }
  page += "</tr>\n";
}

std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    out.append(text.substr(start, end - start));
    if (end < text.size()) out.append("\r\n");
    start = end + 1;
  }
  return out;
}

}  // namespace

std::string HtmlPageText(const HtmlPageSource& source, const HtmlPageContent& content) {
  const TradeViews& report = source.views;
  std::string page;
  page.reserve(4096 + static_cast<std::size_t>(report.grid1.RowCount()) * 400);
  AppendHead(page, content.title);
  AppendSummary(page, source.stats, content.deposit);
  if (content.detailed) AppendTerminalFigures(page, source.terminalFigures);
  if (!content.pictureName.empty())
    page += "&nbsp;<br><img src=" + UrlPathSegment(content.pictureName) + "><br>\n";
  AppendTradesHead(page);
  for (int r = 1; r < report.grid1.RowCount(); ++r)
    if (!report.grid1.Cell(g1::ticket, r).empty())
      AppendTradeRow(page, report, r, content.detailed);
  page += "   </table><br><br>\n   </div></body></html>\n";
  // The texts are UTF-8: a page with any past ASCII says so, for browsers
  // and spreadsheets; a page of plain ASCII stays as it always was.
  if (HasHighByte(page)) {
    const std::size_t title = page.find("</title>\n");
    if (title != std::string::npos)
      page.insert(title + 9,
                  "    <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n");
  }
  return WithCrLf(page);
}

}  // namespace quillfen
