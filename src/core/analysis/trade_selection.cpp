#include "analysis/trade_selection.h"

#include <algorithm>
#include <string>

namespace quillfen {

namespace {

bool QualifiesByMagic(const SelectionList& magics, std::string_view magic) {
  if (magics.Empty()) return true;
  if (magic.empty()) return magics.IsSelected(0);
  return magics.IsSelectedItem(magic);
}

// Neighbouring rows mostly share their symbol and magic number: the last
// answer stands for the same text.
template <class Ask>
class LastAnswer {
 public:
  explicit LastAnswer(Ask ask) : ask_(ask) {}
  bool operator()(std::string_view text) {
    if (!known_ || text != text_) {
      text_.assign(text);
      answer_ = ask_(text);
      known_ = true;
    }
    return answer_;
  }

 private:
  Ask ask_;
  std::string text_;
  bool answer_ = false;
  bool known_ = false;
};

}  // namespace

bool PassesDisplayFilter(const TradeTable& table, int row, DisplayFilter filter) {
  bool closed = !table.Cell(col::closeDate, row).empty();
  return filter == DisplayFilter::all || (filter == DisplayFilter::closed) == closed;
}

void FillSymbolList(const TradeTable& table, DisplayFilter filter, SelectionList& pairs,
                    Progress* pump) {
  pairs.Clear();
  std::string listed;  // the last symbol found in the list: neighbours mostly share it
  for (int row = 0; row < table.TradeRows(); ++row) {
    PumpEveryRows(pump, row);
    std::string_view symbol = table.Cell(col::symbol, row);
    if (!listed.empty() && symbol == listed) continue;
    if (pairs.Contains(symbol)) {
      listed.assign(symbol);
      continue;
    }
    if (!PassesDisplayFilter(table, row, filter)) continue;
    if (symbol.empty() || symbol.front() == '#') continue;
    pairs.Append(symbol);
    listed.assign(symbol);
  }
  pairs.SelectAll();
}

void FillMagicList(const TradeTable& table, SelectionList& magics, Progress* pump) {
  magics.Clear();
  bool noneListed = false;
  std::string listed;  // the last magic number found in the list or added
  for (int row = 0; row < table.TradeRows(); ++row) {
    PumpEveryRows(pump, row);
    std::string_view magic = table.Cell(col::magic, row);
    if (magic.empty()) {
      if (!noneListed) magics.InsertFirst(kNoMagicItem);
      noneListed = true;
    } else if (magic != listed) {
      if (!magics.Contains(magic)) magics.Append(magic);
      listed.assign(magic);
    }
  }
  magics.SelectAll();
}

void RebuildTradeGrids(TradeViews& views, SelectionList& pairs, SelectionList& magics,
                       DisplayFilter filter, Progress* pump) {
  if (!pairs.AnySelected()) pairs.SelectAll();
  if (!magics.AnySelected()) magics.SelectAll();

  const TradeTable& table = views.full;
  VisibleGrid& grid1 = views.grid1;
  VisibleGrid& grid2 = views.grid2;
  // Room for every row; the count is cut to the rows used afterwards.
  grid1.SetRowCount(std::max(table.RowCount() + 1, 2));
  grid2.SetRowCount(std::max(table.RowCount() + 1, 2));
  LastAnswer symbolShown(
      [&pairs](std::string_view symbol) { return pairs.IsSelectedItem(symbol); });
  LastAnswer magicShown(
      [&magics](std::string_view magic) { return QualifiesByMagic(magics, magic); });
  int k = 1;
  for (int row = 0; row < table.RowCount(); ++row) {
    PumpEveryRows(pump, row);
    if (!symbolShown(table.Cell(col::symbol, row))) continue;
    if (!PassesDisplayFilter(table, row, filter)) continue;
    if (!magicShown(table.Cell(col::magic, row))) continue;
    grid1.ShowTableRow(k, row);
    grid2.ShowTableRow(k, row);
    ++k;
  }
  grid1.SetRowCount(std::max(k, 2));
  grid2.SetRowCount(std::max(k, 2));
  if (k == 1) {
    grid1.ClearRow(1);
    grid2.ClearRow(1);
  }
}

}  // namespace quillfen
