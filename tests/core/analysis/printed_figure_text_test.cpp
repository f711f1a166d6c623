#include "analysis/printed_figure_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillfen {
namespace {

// Only what the trades cannot give is shown, after a blank line and a heading
// that says whose figures they are, in the report's order and as printed.
TEST(PrintedMemoLines, ShowTheFiguresTheTradesCannotGive) {
  const std::vector<PrintedFigure> figures = {{"History Quality", "100% real ticks"},
                                              {"Total Net Profit", "-1 781.59"},
                                              {"Equity Drawdown Maximal", "1 825.98 (18.25%)"},
                                              {"Margin Level", ""},
                                              {"Sharpe Ratio", "-5.00"},
                                              {"Modelling quality", "90.00%"},
                                              {"Gross profit", "6286.71"},
                                              {"Free Margin", "2 106.59"}};
  const std::vector<std::string> lines = PrintedMemoLines(figures);
  ASSERT_EQ(lines.size(), 2u + 6u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1],
            "Printed in the report (not computed from the trades; the same for every selection "
            "and sizing):");
  EXPECT_EQ(lines[2].substr(0, 16), "History Quality ");
  EXPECT_TRUE(lines[2].ends_with(" 100% real ticks"));
  EXPECT_TRUE(lines[3].starts_with("Equity Drawdown Maximal "));
  EXPECT_TRUE(lines[3].ends_with(" 1 825.98 (18.25%)"));
  EXPECT_EQ(lines[4].find_last_not_of(' ') + 1, std::string("Margin Level").size());
  EXPECT_TRUE(lines[5].ends_with(" -5.00"));
  EXPECT_TRUE(lines[6].starts_with("Modelling quality "));
  EXPECT_TRUE(lines[7].starts_with("Free Margin "));
  // A report that printed nothing of the kind adds no section.
  EXPECT_TRUE(PrintedMemoLines({{"Total Net Profit", "1.00"}}).empty());
  EXPECT_TRUE(PrintedMemoLines({}).empty());
}

}  // namespace
}  // namespace quillfen
