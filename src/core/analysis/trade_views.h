#pragma once

#include <utility>

#include "analysis/visible_grid.h"
#include "analysis/walk_cache.h"
#include "import/trade_table.h"

namespace quillfen {

// Grid1: 15 visible columns, 15 unused, 16..18 the hidden per-row sizing inputs.
constexpr int kGrid1Columns = 19;
constexpr int kGrid2Columns = 13;

// Empty grids laid out as Grid1 and Grid2, showing rows of the trade table.
VisibleGrid NewGrid1();
VisibleGrid NewGrid2();

// The trade table and the two grids that show its rows, with the statistics
// walk's numbers behind the grids' cells. The grids of a copy show the copy's
// own table.
struct TradeViews {
  TradeTable full;
  VisibleGrid grid1 = NewGrid1();
  VisibleGrid grid2 = NewGrid2();
  WalkCache walkCache;

  TradeViews() { Bind(); }
  TradeViews(const TradeViews& other)
      : full(other.full), grid1(other.grid1), grid2(other.grid2), walkCache(other.walkCache) {
    Bind();
  }
  TradeViews(TradeViews&& other) noexcept
      : full(std::move(other.full)),
        grid1(std::move(other.grid1)),
        grid2(std::move(other.grid2)),
        walkCache(std::move(other.walkCache)) {
    Bind();
  }
  TradeViews& operator=(const TradeViews& other) {
    if (this != &other) *this = TradeViews(other);
    return *this;
  }
  TradeViews& operator=(TradeViews&& other) noexcept {
    full = std::move(other.full);
    grid1 = std::move(other.grid1);
    grid2 = std::move(other.grid2);
    walkCache = std::move(other.walkCache);
    Bind();
    return *this;
  }

 private:
  void Bind();
};

// The header rows of both grids, as the window writes them when first shown.
void WriteGridHeaders(TradeViews& views);

}  // namespace quillfen
