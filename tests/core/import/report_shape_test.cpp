#include "import/report_shape.h"

#include <gtest/gtest.h>

#include <string>

namespace quillfen {
namespace {

TEST(ReportShape, OrderRows) {
  EXPECT_TRUE(IsOrderRowShape(StatementWords("1 2017.09.04 18:59 buy 1 0.50 1.19193")));
  EXPECT_TRUE(IsOrderRowShape(StatementWords("143515367 2023.06.21 17:30:01 buy 0.20 gbpusd")));
  EXPECT_TRUE(IsOrderRowShape(StatementWords("10 2010/01/04 09:00:00 balance Deposit 1000.00")));
  EXPECT_FALSE(IsOrderRowShape(StatementWords("Ticket Open Time Type Size Item Price")));
  EXPECT_FALSE(IsOrderRowShape(StatementWords("2023 June 21, 17:30")));
  EXPECT_FALSE(IsOrderRowShape(StatementWords("1 2017.09.04 18:59")));
  EXPECT_FALSE(IsOrderRowShape(StatementWords("1 2017.09.04 18:59 12.5 3")));
  EXPECT_FALSE(IsOrderRowShape(StatementWords("x1 2017.09.04 18:59 buy")));
}

TEST(ReportShape, NumbersLines) {
  EXPECT_TRUE(IsNumbersLine(StatementWords("0 0 -1234 56789"), 3));
  EXPECT_TRUE(IsNumbersLine(StatementWords("-115.40 0.00 -4040.83 382636.35"), 3));
  EXPECT_FALSE(IsNumbersLine(StatementWords("20171016 12"), 3));
  EXPECT_FALSE(IsNumbersLine(StatementWords("1 2 abc"), 3));
}

TEST(ReportShape, TaxesColumnByCellCount) {
  EXPECT_TRUE(HasTaxesColumn(StatementWords(
      "11 2010.01.04 10:00:00 buy 1.00 eurusd 1.4 0 0 2010.01.05 12:30:00 1.5 -7 -1 0 850")));
  EXPECT_FALSE(HasTaxesColumn(StatementWords(
      "11 2010.01.04 10:00:00 buy 1.00 eurusd 1.4 0 0 2010.01.05 12:30:00 1.5 -7 0 850")));
  EXPECT_TRUE(HasTaxesColumn(
      StatementWords("11 2010.01.04 10:00 buy 1.00 eurusd 1.4 0 0 1.5 -7 -1 0 850")));
  EXPECT_FALSE(
      HasTaxesColumn(StatementWords("11 2010.01.04 10:00 buy 1.00 eurusd 1.4 0 0 1.5 -7 0 850")));
}

TEST(ReportShape, TicketTooltips) {
  struct Case {
    const char* title;
    const char* magic;
    const char* comment;
  };
  const Case cases[] = {
      {"#2019 [tp]", "2019", "[tp]"},
      {"[tp]", "", "[tp]"},
      {"#20171016 Martingale Profit-215[tp]", "20171016", "Martingale Profit-215[tp]"},
      {"#21000 ", "21000", ""},
      {"#21000", "21000", ""},
      {"#0 trend follower", "", "trend follower"},
      {"from #2125973", "", "from #2125973"},
      {"#12ab", "", "#12ab"},
      {"  spaced  ", "", "spaced"},
  };
  for (const Case& c : cases) {
    const TicketTitle split = SplitTicketTitle(c.title);
    EXPECT_EQ(split.magic, c.magic) << c.title;
    EXPECT_EQ(split.comment, c.comment) << c.title;
  }
}

TEST(ReportShape, TesterHeaderGivesSymbolAndDeposit) {
  TesterHeaderShape shape;
  for (const char* line :
       {"Strategy Tester: NN_5", "Strategy Tester Report", "NN_5",
        "RoboForex-ProCent-2 (Build 1403)", "Символ EURUSD (Euro vs US Dollar)",
        "Период 1 Час (H1) 2022.08.07 21:02 - 2023.08.04 20:59 (2023.06.19 - 2023.06.30)",
        "Параметры takeProfit=300; lots=0.10;",
        "Баров в истории 6240 Смоделировано тиков 37769316 Качество моделирования 24.95%",
        "Ошибки рассогласования графиков 0", "Начальный депозит 10000.00 Спред Текущий (16)",
        "Чистая прибыль -62.62"})
    shape.Watch(line);
  EXPECT_EQ(shape.Symbol(), "EURUSD");
  ASSERT_TRUE(shape.HasDeposit());
  EXPECT_DOUBLE_EQ(shape.Deposit(), 10000);

  TesterHeaderShape nested;
  nested.Watch("Symbole XAUUSD (Gold (Spot))");
  nested.Watch("Période 1 Heure (H1) 2022.09.09 01:00 - 2023.09.19 23:00");
  EXPECT_EQ(nested.Symbol(), "XAUUSD");
  EXPECT_FALSE(nested.HasDeposit());

  TesterHeaderShape bare;
  bare.Watch("通貨ペア USDJPY");
  bare.Watch("期間 1時間足 (H1) 2023.01.02 08:00 - 2023.03.01 00:00");
  EXPECT_EQ(bare.Symbol(), "USDJPY");
}

TEST(ReportShape, DepositFromTheFirstClosingRow) {
  double deposit = 0;
  ASSERT_TRUE(DepositBeforeClosingRow(
      StatementWords("2 2017.09.05 17:33 t/p 1 0.50 1.19231 0.00000 1.19231 4.32 10004.32"),
      deposit));
  EXPECT_DOUBLE_EQ(deposit, 10000);
  ASSERT_TRUE(DepositBeforeClosingRow(
      StatementWords("2 2017.09.05 17:33 s/l 1 0.50 1.19231 0.00000 1.19231 -0.07 1234.49"),
      deposit));
  EXPECT_DOUBLE_EQ(deposit, 1234.56);
  EXPECT_FALSE(DepositBeforeClosingRow(
      StatementWords("1 2017.09.04 18:59 buy 1 0.50 1.19193 0.00000 1.19231"), deposit));
}

}  // namespace
}  // namespace quillfen
