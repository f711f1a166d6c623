#include "analysis/position_sizing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillfen {
namespace {

ReportOptions Sizing(SizingChoice choice) {
  ReportOptions options;
  options.sizing = choice;
  return options;
}

TEST(LotsForTrade, EveryModeWithItsLimits) {
  struct Case {
    const char* name;
    ReportOptions options;
    double statementLots;
    double balance;
    double lots;
  };
  ReportOptions miniLimits = Sizing(SizingChoice::original);
  miniLimits.maxMiniLotsText = "50";
  ReportOptions fiveMini = Sizing(SizingChoice::miniLots);
  fiveMini.miniContractsText = "5";
  ReportOptions manyMini = Sizing(SizingChoice::miniLots);
  manyMini.miniContractsText = "80";
  ReportOptions twoStandard = Sizing(SizingChoice::standardLots);
  twoStandard.standardContractsText = "2";
  ReportOptions amount = Sizing(SizingChoice::standardAmount);
  ReportOptions miniAmount = Sizing(SizingChoice::miniAmount);
  const Case cases[] = {
      {"original keeps the statement's lots", Sizing(SizingChoice::original), 0.5, 0, 0.5},
      // The standard-lot limits apply in the original mode, not the mini ones (max 50).
      {"original clamps at the standard maximum", miniLimits, 75, 0, 75},
      {"original clamps up to the standard minimum", miniLimits, 0.001, 0, 0.01},
      {"original clamps down to the standard maximum", miniLimits, 150, 0, 100},
      {"fixed mini lots", fiveMini, 0.3, 0, 5},
      {"fixed mini lots above the mini maximum", manyMini, 0.3, 0, 50},
      {"fixed standard lots", twoStandard, 0.3, 0, 2},
      {"fixed amount standard 25 730", amount, 1, 25730, 2.57},
      {"fixed amount standard 9 999", amount, 1, 9999, 0.99},
      {"fixed amount standard 2 000 000", amount, 1, 2000000, 100},
      {"fixed amount standard, balance 0", amount, 1, 0, 0.01},
      {"fixed amount standard, balance below 0", amount, 1, -500, 0.01},
      {"fixed amount mini 2 573", miniAmount, 1, 2573, 2.57},
      {"fixed amount mini 80 000 capped at 50", miniAmount, 1, 80000, 50},
  };
  for (const Case& c : cases) {
    double lots = LotsForTrade(ReadSizingRule(c.options), c.statementLots, c.balance);
    EXPECT_NEAR(lots, c.lots, 1e-9) << c.name;
  }
}

TEST(LotsForTrade, UnusableOptionTextsGiveAFiniteCount) {
  const char* texts[] = {"", "abc", "0", "-1000", "999999999999999999999999999999", "0.0000001"};
  const SizingChoice modes[] = {SizingChoice::original, SizingChoice::miniLots,
                                SizingChoice::standardLots, SizingChoice::miniAmount,
                                SizingChoice::standardAmount};
  for (SizingChoice mode : modes) {
    for (const char* text : texts) {
      ReportOptions options = Sizing(mode);
      options.miniContractsText = options.standardContractsText = text;
      options.miniAmountText = options.standardAmountText = text;
      options.minMiniLotsText = options.minStandardLotsText = text;
      for (double balance : {-1.0, 0.0, 1e4, 1e12}) {
        double lots = LotsForTrade(ReadSizingRule(options), 1, balance);
        EXPECT_TRUE(std::isfinite(lots)) << static_cast<int>(mode) << " '" << text << "'";
      }
    }
  }
}

TEST(PipValueFactor, ConvertsBetweenMiniAndStandardStatements) {
  struct Case {
    SizingChoice choice;
    double pipValue;
    double factor;
  };
  const Case cases[] = {
      {SizingChoice::original, 1, 1},      {SizingChoice::original, 10, 1},
      {SizingChoice::standardLots, 1, 10}, {SizingChoice::standardLots, 4.99, 10},
      {SizingChoice::standardLots, 5, 1},  {SizingChoice::standardAmount, 1, 10},
      {SizingChoice::miniLots, 5, 0.1},    {SizingChoice::miniLots, 4.99, 1},
      {SizingChoice::miniAmount, 10, 0.1}, {SizingChoice::miniAmount, 1, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PipValueFactor(ReadSizingRule(Sizing(c.choice)), c.pipValue), c.factor)
        << static_cast<int>(c.choice) << " " << c.pipValue;
}

}  // namespace
}  // namespace quillfen
