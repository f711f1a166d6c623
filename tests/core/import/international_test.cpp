// Reports the terminal wrote in other languages and code pages, and the magic
// numbers and comments that only the ticket cell's tooltip carries.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>

#include "../real_statements.h"
#include "../report_invariants.h"
#include "../support/road_read.h"
#include "analysis/statistics.h"
#include "analysis/trade_selection.h"
#include "import_test_support.h"
#include "text/charset.h"
#include "text/text_conversions.h"

namespace quillfen {
namespace {

std::string InternationalFolder() {
  return std::string(QUILLFEN_STATEMENTS) + "/international";
}

nlohmann::json InternationalManifest() {
  std::ifstream file(InternationalFolder() + "/manifest.json");
  return file ? nlohmann::json::parse(file) : nlohmann::json();
}

// The labels of the printed figures, as the terminal writes them in each language.
struct PrintedLabels {
  const char* symbol;
  const char* deposit;
  const char* netProfit;
};
const std::map<std::string, PrintedLabels> kLabels = {
    {"French", {"Symbole", "Dépot initial", "Profit total net"}},
    {"Russian", {"Символ", "Начальный депозит", "Чистая прибыль"}},
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool Listed(const SelectionList& list, const std::string& item) {
  const auto& items = list.Items();
  return std::find(items.begin(), items.end(), item) != items.end();
}

TEST(International, SharedReportsGiveTheTerminalsTradesDepositSymbolAndNetProfit) {
  const nlohmann::json manifest = InternationalManifest();
  if (manifest.is_null()) GTEST_SKIP() << "no international reports beside the project";
  int checked = 0;
  for (const auto& entry : manifest) {
    const std::string file = entry["file"];
    SCOPED_TRACE(file);
    const auto labels = kLabels.find(entry["language"].get<std::string>());
    ASSERT_NE(labels, kLabels.end());
    const nlohmann::json& oracle = entry["oracle"];
    Report report;
    WriteGridHeaders(report);
    MessageList messages;
    ASSERT_TRUE(OpenReport(report, InternationalFolder() + "/" + file, &messages));
    ExpectTableInvariants(report);
    ExpectWalkInvariants(report);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(report.full.TradeRows(), entry["closed_trades"].get<int>());
    EXPECT_EQ(report.stats.tradeCount, entry["closed_trades"].get<int>());
    const double deposit = PrintedAmount(oracle[labels->second.deposit]);
    EXPECT_DOUBLE_EQ(report.stats.statementDeposit, deposit);
    EXPECT_DOUBLE_EQ(report.stats.initialDeposit, deposit);
    // "EURUSD (Euro vs US Dollar)": the symbol is the value's first word.
    std::string symbol = oracle[labels->second.symbol];
    symbol = Lower(symbol.substr(0, symbol.find(' ')));
    EXPECT_TRUE(Listed(report.pairsListBox, symbol)) << symbol;
    // The terminal rounds its total once, the rows one by one: a cent apart at most.
    EXPECT_NEAR(report.stats.netProfit, PrintedAmount(oracle[labels->second.netProfit]),
                0.01 + 1e-9);
    ++checked;
  }
  EXPECT_EQ(checked, 2);
}

TEST(International, SharedReportsShowInTheirCodePage) {
  const nlohmann::json manifest = InternationalManifest();
  if (manifest.is_null()) GTEST_SKIP() << "no international reports beside the project";
  const std::map<std::string, std::string> kIcuNames = {{"cp1252", "windows-1252"},
                                                        {"cp1251", "windows-1251"}};
  for (const auto& entry : manifest) {
    const std::string file = entry["file"];
    EXPECT_EQ(DetectFileCharset(InternationalFolder() + "/" + file),
              kIcuNames.at(entry["encoding"].get<std::string>()))
        << file;
  }
}

// Every ticket of the page with its tooltip, as the terminal wrote them.
std::map<std::string, std::string> TicketTooltips(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const std::string page = text.str();
  std::map<std::string, std::string> tooltips;
  const std::regex cell(R"re(<td title="([^"]*)">([0-9]+)</td>)re");
  for (auto it = std::sregex_iterator(page.begin(), page.end(), cell); it != std::sregex_iterator();
       ++it)
    tooltips[(*it)[2].str()] = (*it)[1].str();
  return tooltips;
}

TEST(International, TooltipsGiveTheMagicNumbersAndComments) {
  nlohmann::json manifest = Manifest();
  if (manifest.is_null()) GTEST_SKIP() << "no real statements beside the project";
  int checked = 0;
  for (const auto& entry : manifest) {
    const std::string file = entry["file"];
    const std::string prefix = file.substr(0, 3);
    if (prefix != "006" && prefix != "007" && prefix != "008" && prefix != "013") continue;
    SCOPED_TRACE(file);
    const std::string path = std::string(QUILLFEN_STATEMENTS) + "/" + file;
    Report report;
    WriteGridHeaders(report);
    ASSERT_TRUE(OpenReport(report, path));
    const std::map<std::string, std::string> tooltips = TicketTooltips(path);
    const std::regex magicAndComment(R"(#([0-9]+) (.*))");
    int withMagic = 0;
    for (int row = 0; row < report.full.TradeRows(); ++row) {
      const std::string ticket(report.full.Cell(col::ticket, row));
      const auto tooltip = tooltips.find(ticket);
      const std::string title = tooltip == tooltips.end() ? "" : tooltip->second;
      std::string magic, comment = title;
      std::smatch parts;
      if (std::regex_match(title, parts, magicAndComment)) {
        magic = parts[1].str();
        comment = parts[2].str();
      }
      while (!comment.empty() && comment.back() == ' ') comment.pop_back();
      EXPECT_EQ(report.full.Cell(col::magic, row), magic) << ticket;
      EXPECT_EQ(report.full.Cell(col::comment, row), comment) << ticket;
      if (!magic.empty()) {
        ++withMagic;
        EXPECT_TRUE(Listed(report.magicListBox, magic)) << magic;
      }
    }
    EXPECT_GT(withMagic, 0);
    // The Comment column of the lower grid shows them.
    bool shown = false;
    for (int r = 1; r < report.grid2.RowCount() && !shown; ++r)
      shown = !report.grid2.Cell(g2::comment, r).empty();
    EXPECT_TRUE(shown);
    ++checked;
  }
  EXPECT_EQ(checked, 4);
}

// A page the terminal could write in Russian, in cp1251: the labels, the name
// and the comments decode to UTF-8, the rows read by their shape.
TEST(International, Cp1251StatementReadsByShapeIntoUtf8) {
  // "Тикет Время Тип" (ticket, time, type), "Налоги" (taxes), "Закрытые
  // сделки:" (closed transactions), "Иванов" and a comment "по тренду".
  const std::string ticket = "\xD2\xE8\xEA\xE5\xF2";
  const std::string time = "\xC2\xF0\xE5\xEC\xFF";
  const std::string type = "\xD2\xE8\xEF";
  const std::string taxes = "\xCD\xE0\xEB\xEE\xE3\xE8";
  const std::string closed = "\xC7\xE0\xEA\xF0\xFB\xF2\xFB\xE5 \xF1\xE4\xE5\xEB\xEA\xE8:";
  const std::string name = "\xC8\xE2\xE0\xED\xEE\xE2";
  const std::string comment = "\xEF\xEE \xF2\xF0\xE5\xED\xE4\xF3";
  const std::string page =
      "<html><head><title>Statement: 7 - " + name +
      "</title></head><body><table>\n"
      "<tr><td colspan=14><b>" +
      closed +
      "</b></td></tr>\n"
      "<tr><td>" +
      ticket + "</td><td>" + time + "</td><td>" + type +
      "</td><td>Size</td>"
      "<td>Item</td><td>Price</td><td>S / L</td><td>T / P</td><td>" +
      time +
      "</td><td>Price"
      "</td><td>Commission</td><td>" +
      taxes +
      "</td><td>Swap</td><td>Profit</td></tr>\n"
      "<tr><td title=\"Deposit\">10</td><td>2010.01.04 09:00:00</td><td>balance</td>"
      "<td colspan=10>Deposit</td><td>1 000.00</td></tr>\n"
      "<tr><td title=\"#42 " +
      comment +
      "[tp]\">11</td><td>2010.01.04 10:00:00</td>"
      "<td>buy</td><td>1.00</td><td>eurusd</td><td>1.43150</td><td>0.00000</td><td>1.44000</td>"
      "<td>2010.01.05 12:30:00</td><td>1.44000</td><td>-7.00</td><td>-1.50</td><td>-0.50</td>"
      "<td>850.00</td></tr>\n"
      "<tr><td>12</td><td>2010.01.05 10:00:00</td><td>sell</td><td>0.50</td><td>usdjpy</td>"
      "<td>92.150</td><td>0.000</td><td>0.000</td><td>2010.01.05 11:00:00</td><td>92.350</td>"
      "<td>0.00</td><td>0.00</td><td>0.00</td><td>-108.46</td></tr>\n"
      "<tr><td colspan=10>&nbsp;</td><td>-7</td><td>-1</td><td>-0.50</td><td>741</td></tr>\n"
      "</table></body></html>\n";
  EXPECT_EQ(DetectCharset(page), "windows-1251");
  TempDir dir;
  Report report;
  MessageList messages;
  ASSERT_TRUE(OpenFiles(report, {dir.Write("ru.htm", page)}, &messages));
  ExpectTableInvariants(report);
  ASSERT_EQ(report.full.TradeRows(), 2);
  const auto columns = {col::ticket, col::type,   col::symbol, col::taxes,
                        col::swap,   col::profit, col::magic,  col::comment};
  EXPECT_EQ(Cells(report, 0, columns), "11|buy|eurusd|-1.50|-0.50|850.00|42|по тренду[tp]");
  EXPECT_EQ(Cells(report, 1, columns), "12|sell|usdjpy|0.00|0.00|-108.46||");
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 1000);
  EXPECT_TRUE(messages.texts.empty());
}

TEST(International, AMagicLineOverrulesTheTooltip) {
  const std::string page =
      "<html><head><title>Statement: 7 - Test</title></head><body><table>\n"
      "<tr><td>Ticket</td><td>Open Time</td><td>Type</td><td>Size</td><td>Item</td></tr>\n"
      "<tr><td title=\"#5 from tooltip[sl]\">11</td><td>2010.01.04 10:00</td><td>buy</td>"
      "<td>1.00</td><td>eurusd</td><td>1.4315</td><td>0</td><td>0</td><td>2010.01.05 12:30</td>"
      "<td>1.4325</td><td>0.00</td><td>0.00</td><td>100.00</td></tr>\n"
      "<tr><td colspan=9>&nbsp;</td><td>&nbsp;</td><td colspan=3>line</td></tr>\n"
      "<tr><td title=\"from #11\">12</td><td>2010.01.05 10:00</td><td>sell</td>"
      "<td>1.00</td><td>eurusd</td><td>1.4315</td><td>0</td><td>0</td><td>2010.01.05 12:30</td>"
      "<td>1.4325</td><td>0.00</td><td>0.00</td><td>-100.00</td></tr>\n"
      "<tr><td title=\"#0 &quot;a&amp;b&quot;\">13</td><td>2010.01.05 10:00</td><td>sell</td>"
      "<td>1.00</td><td>eurusd</td><td>1.4315</td><td>0</td><td>0</td><td>2010.01.05 12:30</td>"
      "<td>1.4325</td><td>0.00</td><td>0.00</td><td>-100.00</td></tr>\n"
      "</table></body></html>\n";
  TempDir dir;
  Report report;
  ASSERT_TRUE(OpenFiles(report, {dir.Write("page.htm", page)}));
  ASSERT_EQ(report.full.TradeRows(), 3);
  using namespace col;
  // The magic line names no magic number and its comment's first word: so it stays.
  EXPECT_EQ(Cells(report, 0, {ticket, magic, comment}), "11||line");
  EXPECT_EQ(Cells(report, 1, {ticket, magic, comment}), "12||from #11");
  EXPECT_EQ(Cells(report, 2, {ticket, magic, comment}), "13||\"a&b\"");
}

// A page that converts into these working-text lines of a tester report.
Report ReadTesterLines(const std::string& text) {
  TempDir dir;
  MessageList messages;
  Report report;
  testing::ReadThroughRoad(report, dir.Write("page.htm", testing::PageOfLines(text)), false,
                           messages);
  EXPECT_TRUE(messages.texts.empty());
  return report;
}

constexpr const char* kTesterRows =
    "1 2010.01.04 00:00 buy 1 0.10 1.43150 0.00000 0.00000\n"
    "2 2010.01.04 01:00 sell 2 0.20 1.43000 0.00000 0.00000\n"
    "3 2010.01.04 05:00 close 1 0.10 1.43250 0.00000 0.00000 10.00 3010.00\n"
    "4 2010.01.05 00:00 close at stop 2 0.20 1.43100 0.00000 0.00000 -20.00 2990.00\n";

// German labels: "Symbol" and "Typ" are the English rules' own, the deposit is not.
TEST(International, ATesterReportWithoutTheEnglishDepositLabelIsReadByShape) {
  const Report report = ReadTesterLines(
      "Strategy Tester: X\nStrategy Tester Report\nX\nDemo (Build 1420)\n"
      "Symbol GBPUSD (Great Britain Pound vs US Dollar)\n"
      "Zeitraum 1 Stunde (H1) 2010.01.04 00:00 - 2010.01.05 00:00\n"
      "Parameter MaxDeposit=100; Lots=0.10;\n"
      "Balken im Test 24 Modellierte Ticks 1000 Modellierungsqualit\xC3\xA4t 90.00%\n"
      "Ersteinlage 3000.00 Spread 13\n"
      "# Zeit Typ Auftrag Gr\xC3\xB6\xC3\x9F\x65 Preis S / L T / P Gewinn Kontostand\n" +
      std::string(kTesterRows));
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 3000);
  EXPECT_DOUBLE_EQ(report.stats.initialDeposit, 3000);
  using namespace col;
  // Closed at stop at the end of the test, as the terminal's total counts it.
  EXPECT_EQ(Cells(report, 1, {ticket, type, symbol, closeDate, closePrice, profit}),
            "2|sell|gbpusd|2010/01/05|1.43100|-20.00");
}

TEST(International, ATranslatedTesterReportTakesItsDepositFromTheFirstClosingRow) {
  // No amount after the settings: the first closing row's balance less its profit.
  const Report report = ReadTesterLines(
      "Strategy Tester Report\n\xD0\xA1\xD0\xB8\xD0\xBC EURUSD\n"
      "\xD0\x9F 2010.01.04 00:00 - 2010.01.05 00:00\n"
      "\xE2\x84\x96 \xD0\x92 \xD0\xA2\n" +
      std::string(kTesterRows));
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 3000);
  EXPECT_EQ(report.full.Cell(col::symbol, 0), "eurusd");
}

// The English rules stand: "close at stop" keeps its trade open there.
TEST(International, AnEnglishTesterReportKeepsItsTradesClosedAtStopOpen) {
  const Report report = ReadTesterLines(
      "Strategy Tester Report\nSymbol EURUSD (Euro vs US Dollar)\n"
      "Period 1 Hour (H1) 2010.01.04 00:00 - 2010.01.05 00:00\n"
      "Initial deposit 3000.00 Spread Current (13)\n"
      "# Time Type Order Size Price S / L T / P Profit Balance\n" +
      std::string(kTesterRows));
  ASSERT_EQ(report.full.TradeRows(), 2);
  EXPECT_TRUE(report.full.Cell(col::closeDate, 1).empty());
  EXPECT_DOUBLE_EQ(report.stats.statementDeposit, 3000);
}

}  // namespace
}  // namespace quillfen
