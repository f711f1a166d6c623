#pragma once

#include <string>
#include <vector>

#include "analysis/figure_text.h"
#include "analysis/trade_views.h"
#include "import/report_statistics.h"

namespace quillfen {

// What the page is written from: the grids and figures as they stand.
struct HtmlPageSource {
  const TradeViews& views;
  const ReportStatistics& stats;
  const std::vector<FigureLine>& terminalFigures;
};

// What the page shows besides the report's grids and figures.
struct HtmlPageContent {
  std::string title;        // the main window's caption
  float deposit = 0;        // the initial deposit the summary shows, in single precision
  bool detailed = false;    // magic/comment lines under the trades
  std::string pictureName;  // the chart picture beside the page; empty for none
};

// The whole page with "\r\n" line ends.
std::string HtmlPageText(const HtmlPageSource& source, const HtmlPageContent& content);

// Between the three hidden values of a trade row. Two blanks, because the
// statement converter drops a single blank that stands between two digits,
// which would join the swap and the profit into one word when the page is read.
inline constexpr const char* kHiddenValueSeparator = "  ";

}  // namespace quillfen
