// Generated MetaTrader 5 pages. A tester report is opened as the program opens
// one, and its printed Results are held against the figures the core computes
// from the deals it read: the generator and the core work them out apart, so
// a difference shows a fault on one side. A history report is checked by its
// structure and sums.
#include <gtest/gtest.h>
#include <unicode/ustring.h>

#include <cstdio>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "../core/support/temp_dir.h"
#include "actions/opening_actions.h"
#include "messages.h"
#include "progress.h"
#include "report.h"
#include "synthetic/mt5_deals.h"
#include "synthetic/mt5_history_page.h"
#include "synthetic/mt5_tester_page.h"
#include "synthetic/page_writer.h"

namespace quillfen::synthetic {
namespace {

using Printed = std::map<std::string, std::string>;

std::string ReadAll(std::FILE* file) {
  std::string bytes(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size());
  return bytes;
}

// The page's bytes as the terminal writes them: UTF-16LE behind a mark.
template <typename Write>
std::string PageBytes(Write write) {
  std::FILE* file = std::tmpfile();
  {
    PageWriter out(file, false, 2);
    out.EncodeUtf16Le();
    write(out);
    EXPECT_TRUE(out.Finish());
  }
  std::string bytes = ReadAll(file);
  std::fclose(file);
  return bytes;
}

std::string Utf8Of(const std::string& bytes) {
  EXPECT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(bytes.size() % 2, 0u);
  std::u16string wide;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
    wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8));
  std::string text(wide.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8(text.data(), static_cast<int32_t>(text.size()), &length, wide.data(),
              static_cast<int32_t>(wide.size()), &status);
  EXPECT_TRUE(U_SUCCESS(status));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The label/value pairs of the page in their order, labels without colon.
std::vector<std::pair<std::string, std::string>> PairsOf(const std::string& text) {
  static const std::regex pair(
      R"re(<td nowrap colspan="3">([^<]+):</td>\r\n\s*<td nowrap(?: colspan="2")?><b>([^<]*)</b>)re");
  std::vector<std::pair<std::string, std::string>> pairs;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pair); it != std::sregex_iterator();
       ++it)
    pairs.emplace_back((*it)[1], (*it)[2]);
  return pairs;
}

double Amount(std::string text) {
  std::erase(text, ' ');
  return text.empty() ? 0 : std::stod(text);
}

struct Case {
  int trades;
  int balanceDeals;
  bool commission;
  int atEnd;
  std::vector<std::string> symbols;
};

// Whether the balance, walked over the trades' results, fell to zero or below.
bool Ruined(const Mt5History& history) {
  long long balance = 0;
  bool traded = false;
  for (const Mt5DealRow& deal : history.deals) {
    if (deal.type == Mt5DealType::balance && !traded) balance += deal.profit;
    if (!deal.closes) continue;
    traded = true;
    balance += deal.result;
    if (balance <= 0) return true;
  }
  return false;
}

class Mt5TesterPages : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = folder_ / name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
    return path;
  }

  bool Open(Report& report, const std::string& path) {
    ProgramState state;
    NoProgress progress;
    messages_.texts.clear();
    const OpenResult result = OpenStatement(
        path, folder_ / "Quillfen.tmp", [&]() -> Report& { return report; }, state, progress,
        messages_);
    return result.outcome == OpenOutcome::opened;
  }

  quillfen::testing::TempDir folder_;
  MessageList messages_;
};

// Hedging (both directions of a symbol open together), partial closes,
// reversals and closes by the opposite position, in English and Japanese:
// every closing deal is a trade, and every figure the core gives is the text
// the page prints, both numbers of two-number figures.
TEST_F(Mt5TesterPages, TradesAndFiguresEqualThePrintedResults) {
  const std::vector<Case> cases = {{0, 0, false, 0, {"eurusd"}},
                                   {1, 0, false, 0, {"usdjpy"}},
                                   {40, 0, true, 0, {"eurusd"}},
                                   {400, 0, true, 0, {"eurusd", "usdjpy", "xauusd"}},
                                   {700, 5, true, 3, {"eurusd", "usdjpy", "xauusd"}},
                                   {3000, 0, false, 0, {"eurusd", "gbpjpy"}}};
  int hedged = 0, partial = 0, reversed = 0, closedBy = 0;
  for (std::uint64_t seed : {1, 2, 3}) {
    for (const Case& c : cases) {
      Mt5Options options;
      options.closes = c.trades;
      options.balanceDeals = c.balanceDeals;
      options.commission = c.commission;
      options.keptOpen = c.atEnd;
      options.closeKeptAtEnd = true;
      options.symbols = c.symbols;
      options.seed = seed;
      const Mt5History history = MakeMt5History(options);
      for (const Mt5DealRow& deal : history.deals) {
        reversed += deal.direction == Mt5Direction::inOut;
        closedBy += deal.direction == Mt5Direction::outBy;
        partial += deal.comment == "partial close";
      }
      for (const Mt5Position& p : history.positions) {
        for (const Mt5Position& q : history.positions)
          hedged += p.symbol == q.symbol && p.sell && !q.sell && q.openTime < p.openTime &&
                    p.openTime < q.closeTime;
      }
      const std::string english = Utf8Of(
          PageBytes([&](PageWriter& out) { WriteMt5TesterPage(out, history, false, seed); }));
      const auto englishPairs = PairsOf(english);
      ASSERT_EQ(englishPairs.size(), 46u);
      Printed printed(englishPairs.begin(), englishPairs.end());
      for (bool japanese : {false, true}) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(c.trades) + " trades" +
                     (japanese ? ", Japanese" : ""));
        const std::string bytes =
            PageBytes([&](PageWriter& out) { WriteMt5TesterPage(out, history, japanese, seed); });
        if (japanese) {
          // Labels translated, values as in English, in the same places.
          const auto pairs = PairsOf(Utf8Of(bytes));
          ASSERT_EQ(pairs.size(), englishPairs.size());
          for (std::size_t i = 0; i < pairs.size(); ++i) {
            if (englishPairs[i].first != "History Quality") {
              EXPECT_EQ(pairs[i].second, englishPairs[i].second) << englishPairs[i].first;
            }
          }
          EXPECT_EQ(pairs[4].first, "総損益");
        }
        Report report;
        ASSERT_TRUE(Open(report, Write("page.htm", bytes)));
        EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
        int closed = 0;
        for (int row = 0; row < report.full.TradeRows(); ++row)
          closed += !report.full.Cell(col::closeDate, row).empty();
        EXPECT_EQ(std::to_string(closed), printed.at("Total Trades"));

        Printed shown;
        for (const FigureLine& line : report.terminalFigures) shown[line.label] = line.text;
        for (const auto& [label, text] : shown) EXPECT_EQ(text, printed.at(label)) << label;
        // Left out only where the core cannot know: the returns when balance
        // deals fall among the trades or the balance on the way was not above
        // zero, the profit factor without a loss.
        const bool later = (c.balanceDeals > 0 || Ruined(history)) && c.trades > 0;
        const bool lossless = printed.at("Loss Trades (% of total)").starts_with("0 ");
        const std::size_t missing = (later ? 2 : 0) + (lossless && c.trades > 0 ? 1 : 0);
        EXPECT_EQ(shown.size() + missing, 26u);
      }
    }
  }
  // What the cases are for did happen.
  EXPECT_GT(hedged, 0);
  EXPECT_GT(partial, 0);
  EXPECT_GT(reversed, 0);
  EXPECT_GT(closedBy, 0);
}

// The cells of the list rows of a section.
std::vector<std::vector<std::string>> RowsOf(const std::string& section) {
  static const std::regex row(R"re(<tr bgcolor="#(?:FFFFFF|F7F7F7)" align=right>(.*)</tr>)re");
  static const std::regex cell(R"re(<td[^>]*>([^<]*)</td>)re");
  std::vector<std::vector<std::string>> rows;
  for (auto it = std::sregex_iterator(section.begin(), section.end(), row);
       it != std::sregex_iterator(); ++it) {
    const std::string cells = (*it)[1];
    rows.emplace_back();
    for (auto c = std::sregex_iterator(cells.begin(), cells.end(), cell);
         c != std::sregex_iterator(); ++c)
      rows.back().push_back((*c)[1]);
  }
  return rows;
}

long long Cents(const std::string& text) {
  return std::llround(Amount(text) * 100);
}

// Sections in the described order, tables of their widths, a Deals balance
// that each deal moves by its commission, fee, swap and profit (never by its
// cost), a footer of the trade deals' totals, 25 Results figures.
TEST(Mt5HistoryPages, SectionsTablesAndSumsHold) {
  for (int columns : {13, 14, 15}) {
    for (bool japanese : {false, true}) {
      SCOPED_TRACE(std::to_string(columns) + (japanese ? " columns, Japanese" : " columns"));
      Mt5Options options;
      options.closes = 120;
      options.keptOpen = 4;
      options.workingOrders = 3;
      options.canceledOrders = 5;
      options.commission = true;
      options.fees = columns >= 14;
      options.symbols = {"EURUSD", "USDJPY"};
      options.seed = static_cast<std::uint64_t>(columns);
      const Mt5History history = MakeMt5History(options);
      const std::string text = Utf8Of(PageBytes(
          [&](PageWriter& out) { WriteMt5HistoryPage(out, history, japanese, columns, 5); }));

      static const std::regex heading(R"re(<div style="font: 10pt Tahoma"><b>([^<]+)</b></div>)re");
      std::vector<std::string> headings;
      std::vector<std::size_t> starts;
      for (auto it = std::sregex_iterator(text.begin(), text.end(), heading);
           it != std::sregex_iterator(); ++it) {
        headings.push_back((*it)[1]);
        starts.push_back(static_cast<std::size_t>(it->position()));
      }
      const std::vector<std::string> expected =
          japanese ? std::vector<std::string>{"ポジション",     "注文",     "約定",
                                              "保有ポジション", "待機注文", "結果"}
                   : std::vector<std::string>{"Positions",      "Orders",         "Deals",
                                              "Open Positions", "Working Orders", "Results"};
      ASSERT_EQ(headings, expected);
      starts.push_back(text.size());
      auto section = [&](std::size_t i) {
        return text.substr(starts[i], starts[i + 1] - starts[i]);
      };
      const std::size_t widths[] = {13, 11, static_cast<std::size_t>(columns), 12, 11};
      const std::size_t counts[] = {history.positions.size(), history.orders.size(),
                                    history.deals.size(), history.open.size(),
                                    history.working.size()};
      for (std::size_t i = 0; i < 5; ++i) {
        const auto rows = RowsOf(section(i));
        EXPECT_EQ(rows.size(), counts[i]) << headings[i];
        for (const auto& row : rows) ASSERT_EQ(row.size(), widths[i]) << headings[i];
      }

      // Money follows Order (column 7): [Cost,] Commission, [Fee,] Swap, Profit, Balance.
      const int commission = columns == 15 ? 9 : 8;
      const int fee = columns >= 14 ? commission + 1 : -1;
      const int swap = columns >= 14 ? fee + 1 : commission + 1;
      long long balance = 0, totalCommission = 0, totalFee = 0, totalSwap = 0, totalProfit = 0;
      const auto deals = RowsOf(section(2));
      for (const auto& deal : deals) {
        const long long moved = Cents(deal[commission]) + (fee < 0 ? 0 : Cents(deal[fee])) +
                                Cents(deal[swap]) + Cents(deal[swap + 1]);
        balance += moved;
        ASSERT_EQ(balance, Cents(deal[swap + 2])) << "deal " << deal[1];
        if (deal[3] == "balance") continue;
        totalCommission += Cents(deal[commission]);
        totalFee += fee < 0 ? 0 : Cents(deal[fee]);
        totalSwap += Cents(deal[swap]);
        totalProfit += Cents(deal[swap + 1]);
      }
      EXPECT_EQ(deals.front()[3], "balance");
      const std::string tail =
          section(2).substr(section(2).rfind("</tr>\r\n   <tr align=\"right\">"));
      static const std::regex total(R"re(<td nowrap><b>([^<]*)</b></td>)re");
      std::vector<long long> footer;
      for (auto it = std::sregex_iterator(tail.begin(), tail.end(), total);
           it != std::sregex_iterator(); ++it)
        footer.push_back(Cents((*it)[1]));
      std::vector<long long> sums{totalCommission};
      if (columns >= 14) sums.push_back(totalFee);
      sums.insert(sums.end(), {totalSwap, totalProfit, balance});
      EXPECT_EQ(footer, sums);

      const auto results = PairsOf(section(5));
      EXPECT_EQ(results.size(), 25u);
      EXPECT_NE(section(5).find(std::string(japanese ? "残高ドローダウン" : "Balance Drawdown") +
                                ":</td>\r\n   </tr>"),
                std::string::npos);
      // The account lines stand between the last list and Results.
      bool balanceLine = false;
      for (const auto& [label, value] : PairsOf(section(4)))
        balanceLine |= label == (japanese ? "残高" : "Balance") && Cents(value) == balance;
      EXPECT_TRUE(balanceLine);
    }
  }
}

TEST(Mt5Pages, SameSeedSameBytesOtherSeedOtherBytes) {
  Mt5Options options;
  options.closes = 200;
  auto page = [&](std::uint64_t seed, bool tester) {
    options.seed = seed;
    const Mt5History history = MakeMt5History(options);
    return PageBytes([&](PageWriter& out) {
      if (tester)
        WriteMt5TesterPage(out, history, false, seed);
      else
        WriteMt5HistoryPage(out, history, true, 15, seed);
    });
  };
  for (bool tester : {true, false}) {
    EXPECT_EQ(page(7, tester), page(7, tester));
    EXPECT_NE(page(7, tester), page(8, tester));
  }
  // Every line ends in CR LF.
  const std::string text = Utf8Of(page(7, true));
  EXPECT_EQ(std::regex_search(text, std::regex("[^\r]\n")), false);
}

}  // namespace
}  // namespace quillfen::synthetic
