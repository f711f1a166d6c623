#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "synthetic/calendar.h"
#include "synthetic/page_writer.h"
#include "synthetic/statement_history.h"
#include "synthetic/statement_page.h"
#include "synthetic/tester_history.h"
#include "synthetic/tester_page.h"

namespace quillfen::synthetic {
namespace {

struct PageChoice {
  bool tester = false;
  bool bareLfRows = false;
  StatementLayout layout;
};

PageChoice Choice(bool tester, bool bareLfRows = false, StatementLayout layout = {}) {
  PageChoice choice;
  choice.tester = tester;
  choice.bareLfRows = bareLfRows;
  choice.layout = layout;
  return choice;
}

std::string Page(const HistoryOptions& options, const PageChoice& choice = {}) {
  std::FILE* file = std::tmpfile();
  {
    PageWriter out(file, choice.bareLfRows, options.wholeMoney ? 0 : 2);
    if (choice.tester) {
      WriteTesterPage(out, MakeTesterHistory(options), options.depositCents);
    } else {
      WriteStatementPage(out, MakeStatementHistory(options), choice.layout, options.depositCents);
    }
    EXPECT_TRUE(out.Finish());
  }
  std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  EXPECT_EQ(std::fread(text.data(), 1, text.size(), file), text.size());
  std::fclose(file);
  return text;
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::vector<std::smatch> Matches(const std::string& text, const std::regex& pattern) {
  return {std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()};
}

// Cents of a money text such as -1 234.56 or 10000.00.
long long Cents(std::string text) {
  std::erase(text, ' ');
  std::erase(text, '.');
  return std::stoll(text);
}

TEST(MakeStatement, SameSeedSameBytesOtherSeedOtherBytes) {
  for (bool tester : {false, true}) {
    HistoryOptions options;
    options.trades = 30;
    options.seed = 5;
    const std::string first = Page(options, Choice(tester));
    EXPECT_EQ(first, Page(options, Choice(tester)));
    options.seed = 6;
    EXPECT_NE(first, Page(options, Choice(tester)));
  }
}

TEST(MakeStatement, LinesEndInCrLfUnlessRowsAskForBareLf) {
  HistoryOptions options;
  options.trades = 10;
  const std::string crlf = Page(options);
  EXPECT_EQ(Count(crlf, "\n"), Count(crlf, "\r\n"));
  const std::string mixed = Page(options, Choice(false, true));
  EXPECT_NE(mixed.find("</tr>\n<tr"), std::string::npos);
  EXPECT_EQ(mixed.find("<html>\n"), std::string::npos);
}

TEST(MakeStatement, StatementHoldsEveryRowAskedFor) {
  HistoryOptions options;
  options.trades = 60;
  options.balanceRows = 7;
  options.openTrades = 4;
  options.pendingOrders = 3;
  options.workingOrders = 2;
  options.magic = true;
  const std::string page = Page(options, Choice(false, false, {true, true, true}));
  const auto section = [&](const char* from, const char* to) {
    return page.substr(page.find(from), page.find(to) - page.find(from));
  };
  const std::string closed = section("Closed Transactions:", "Open Trades:");
  const std::string open = section("Open Trades:", "Working Orders:");
  const std::string working = section("Working Orders:", "Summary:");
  EXPECT_EQ(Count(closed, "<td>buy</td>") + Count(closed, "<td>sell</td>"), 60);
  EXPECT_EQ(Count(closed, "<td>balance</td>"), 1 + 7);
  EXPECT_EQ(Count(closed, ">cancelled</td></tr>"), 3 * 2);  // the row and its magic line
  EXPECT_EQ(Count(open, "<td>buy</td>") + Count(open, "<td>sell</td>"), 4);
  EXPECT_EQ(Count(working, " limit</td>") + Count(working, " stop</td>"), 2);
  EXPECT_EQ(Count(closed, "<td colspan=9>&nbsp;</td>"), 60 + 3);
  // One balance row in six has no comment, as some brokers write deposits.
  EXPECT_EQ(Count(closed, "<td colspan=10 align=left></td>"), 1);
  EXPECT_NE(closed.find("Withdrawal"), std::string::npos);
  EXPECT_NE(closed.find(">Fee<"), std::string::npos);
}

TEST(MakeStatement, TaxesColumnChangesTheRowWidth) {
  HistoryOptions options;
  options.trades = 5;
  for (bool taxes : {true, false}) {
    options.taxes = taxes;
    const std::string page = Page(options, Choice(false, false, {taxes, true, false}));
    EXPECT_EQ(page.find("<td>Taxes</td>") != std::string::npos, taxes);
    const std::regex trade(
        "<tr[^>]*><td>\\d+</td><td class=msdate nowrap>[^\\n]*?<td>(buy|sell)</td>.*?</tr>");
    for (const auto& row : Matches(page, trade)) {
      EXPECT_EQ(Count(row.str(), "<td"), taxes ? 14 : 13) << row.str();
    }
  }
}

TEST(MakeStatement, PricesCarryTheDigitsOfTheirSymbol) {
  const struct {
    const char* symbol;
    const char* price;
  } cases[] = {
      {"eurusd", R"(\d\.\d{5})"}, {"usdjpy", R"(\d{3}\.\d{3})"}, {"xauusd", R"(\d{4}\.\d{2})"}};
  for (const auto& c : cases) {
    HistoryOptions options;
    options.trades = 20;
    options.symbols = {c.symbol};
    const std::string page = Page(options);
    const std::regex cell(R"(<td style="mso-number-format:[^"]*">([^<]*)</td>)");
    const auto cells = Matches(page, cell);
    ASSERT_FALSE(cells.empty()) << c.symbol;
    for (const auto& m : cells) {
      const std::string value = m[1];
      EXPECT_TRUE(value == "0.00000" || value == "0.000" || value == "0.00" ||
                  std::regex_match(value, std::regex(c.price)))
          << c.symbol << " " << value;
    }
  }
}

TEST(MakeStatement, ClosedTotalsAddUpTheRows) {
  HistoryOptions options;
  options.trades = 200;
  options.commission = true;
  const std::string page = Page(options);
  const std::string closed = page.substr(0, page.find("Closed P/L:"));
  const std::regex trade(
      R"(<td>(buy|sell)</td>.*?<td class=mspt>([-\d .]+)</td><td class=mspt>([-\d .]+)</td><td class=mspt>([-\d .]+)</td><td class=mspt>([-\d .]+)</td></tr>)");
  long long sum = 0;
  for (const auto& m : Matches(closed, trade))
    sum += Cents(m[2]) + Cents(m[3]) + Cents(m[4]) + Cents(m[5]);
  std::smatch total;
  const std::string tail = page.substr(page.find("Closed P/L:"));
  ASSERT_TRUE(std::regex_search(tail, total, std::regex(R"(<b>([-\d .]+)</b>)")));
  EXPECT_EQ(sum, Cents(total[1]));
}

TEST(MakeStatement, TesterBalanceFollowsEveryProfit) {
  HistoryOptions options;
  options.trades = 300;
  options.modifications = 40;
  options.swapReopenings = 10;
  options.pendingOrders = 8;
  options.closedAtStop = 3;
  const std::string page = Page(options, Choice(true));
  const std::regex row(
      R"(<tr[^>]*><td>(\d+)</td><td class=msdate>([\d.: ]+)</td><td>([a-z/ ]+)</td><td>(\d+)</td>.*?(?:<td colspan=2></td>|<td class=mspt>([-\d.]+)</td><td class=mspt>([-\d.]+)</td>)</tr>)");
  long long balance = options.depositCents;
  int number = 0;
  std::string previousTime;
  std::map<std::string, int> kinds;
  for (const auto& m : Matches(page, row)) {
    EXPECT_EQ(std::stoi(m[1]), ++number);
    EXPECT_LE(previousTime, m[2].str());
    previousTime = m[2];
    ++kinds[m[3]];
    if (m[5].matched) {
      balance += Cents(m[5]);
      EXPECT_EQ(balance, Cents(m[6])) << "row " << number;
    }
  }
  EXPECT_EQ(kinds["buy"] + kinds["sell"], 300);
  EXPECT_EQ(kinds["modify"], 40);
  EXPECT_EQ(kinds["swap close"], 10);
  EXPECT_EQ(kinds["swap open"], 10);
  EXPECT_EQ(kinds["delete"], 8);
  EXPECT_EQ(kinds["close at stop"], 3);
  EXPECT_EQ(kinds["t/p"] + kinds["s/l"] + kinds["close"], 300 - 3);
  std::smatch net;
  ASSERT_TRUE(std::regex_search(page, net,
                                std::regex(R"(Total net profit</td><td align=right>([-\d.]+))")));
  EXPECT_EQ(balance, options.depositCents + Cents(net[1]));
}

TEST(MakeStatement, MoneyTexts) {
  const struct {
    long long cents;
    bool grouped;
    int decimals;
    const char* text;
  } cases[] = {
      {0, true, 2, "0.00"},
      {-50, true, 2, "-0.50"},
      {123456, true, 2, "1 234.56"},
      {123456, false, 2, "1234.56"},
      {-100000000, true, 2, "-1 000 000.00"},
      {123456, true, 0, "1 235"},
      {-40, true, 0, "0"},
      {99999, false, 0, "1000"},
  };
  for (const auto& c : cases) {
    std::string text;
    AppendMoney(text, c.cents, c.grouped, c.decimals);
    EXPECT_EQ(text, c.text) << c.cents;
  }
}

TEST(MakeStatement, CalendarRoundTripsAndKnowsTheWeekday) {
  for (Moment day = MomentOf(1999, 12, 25); day < MomentOf(2031, 3, 1); day += 17 * kDay) {
    const CivilDate date = DateOf(day);
    EXPECT_EQ(MomentOf(date.year, date.month, date.day), day);
  }
  EXPECT_EQ(WeekdayOf(MomentOf(2023, 1, 2)), 1);  // a Monday
  EXPECT_EQ(WeekdayOf(MomentOf(2024, 2, 29)), 4);
  EXPECT_EQ(SkipWeekend(MomentOf(2023, 1, 7) + 5 * kHour), MomentOf(2023, 1, 9) + 5 * kHour);
}

}  // namespace
}  // namespace quillfen::synthetic
