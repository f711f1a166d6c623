#pragma once

#include "analysis/selection_list.h"
#include "analysis/trade_views.h"
#include "progress.h"
#include "report_options.h"

namespace quillfen {

// The text of the magic list's item for trades without a magic number.
inline constexpr const char* kNoMagicItem = "None";

// Columns of Grid1 and Grid2; row 0 holds the headers.
namespace g1 {
constexpr int ticket = 0;
constexpr int type = 1;
constexpr int lots = 2;
constexpr int symbol = 3;
constexpr int openDate = 4;
constexpr int openTime = 5;
constexpr int openPrice = 6;
constexpr int closeDate = 7;
constexpr int closeTime = 8;
constexpr int closePrice = 9;
constexpr int pips = 11;
constexpr int profit = 12;
constexpr int balance = 13;
constexpr int marker = 14;
constexpr int pipValuePerLot = 16;
constexpr int commissionPerLot = 17;
constexpr int swapPerLot = 18;
}  // namespace g1

namespace g2 {
constexpr int lots = 2;
constexpr int stopLoss = 5;
constexpr int takeProfit = 6;
constexpr int commission = 8;
constexpr int swap = 9;
constexpr int profit = 10;
constexpr int comment = 11;
constexpr int magic = 12;
}  // namespace g2

// The symbol list afresh under the display filter, every item selected.
// The walks over the rows let events in through `pump`, when given.
void FillSymbolList(const TradeTable& table, DisplayFilter filter, SelectionList& pairs,
                    Progress* pump = nullptr);
// The magic list afresh ("None" first when a trade has no magic number), every item selected.
void FillMagicList(const TradeTable& table, SelectionList& magics, Progress* pump = nullptr);
// Copies the trades the lists select and the filter passes into Grid1 and
// Grid2 from row 1 on; a list with nothing selected is selected whole.
void RebuildTradeGrids(TradeViews& views, SelectionList& pairs, SelectionList& magics,
                       DisplayFilter filter, Progress* pump = nullptr);

// Whether a row passes the display filter.
bool PassesDisplayFilter(const TradeTable& table, int row, DisplayFilter filter);

}  // namespace quillfen
