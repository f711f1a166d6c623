#include "analysis/printed_figure_text.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "analysis/figure_text.h"

namespace quillfen {

namespace {

// What needs the equity, the margin, the tester's own data or the price
// between a trade's open and close, none of which the trade rows hold.
constexpr std::array<std::string_view, 29> kNotFromTrades = {
    // MetaTrader 5
    "History Quality",
    "Bars",
    "Ticks",
    "Symbols",
    "Equity Drawdown Absolute",
    "Equity Drawdown Maximal",
    "Equity Drawdown Relative",
    "Margin Level",
    "Recovery Factor",
    "Sharpe Ratio",
    "Z-Score",
    "LR Correlation",
    "LR Standard Error",
    "OnTester result",
    "Correlation (Profits,MFE)",
    "Correlation (Profits,MAE)",
    "Correlation (MFE,MAE)",
    "Minimal position holding time",
    "Maximal position holding time",
    "Average position holding time",
    // MetaTrader 4's tester
    "Bars in test",
    "Ticks modelled",
    "Modelling quality",
    "Mismatched charts errors",
    // MetaTrader 4's statement: its account lines
    "Credit Facility",
    "Floating P/L",
    "Margin",
    "Equity",
    "Free Margin",
};

constexpr std::string_view kHeading =
    "Printed in the report (not computed from the trades; the same for every selection and "
    "sizing):";

}  // namespace

std::vector<std::string> PrintedMemoLines(const std::vector<PrintedFigure>& figures) {
  std::vector<FigureLine> shown;
  for (const PrintedFigure& figure : figures)
    if (std::find(kNotFromTrades.begin(), kNotFromTrades.end(), figure.label) !=
        kNotFromTrades.end())
      shown.push_back({figure.label, figure.text});
  std::vector<std::string> lines = FigureMemoLines(shown);
  if (!lines.empty()) lines.insert(lines.begin() + 1, std::string(kHeading));
  return lines;
}

}  // namespace quillfen
