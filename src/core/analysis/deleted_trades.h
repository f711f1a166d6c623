#pragma once

#include <string>
#include <vector>

#include "import/trade_table.h"

namespace quillfen {

// What one Delete took out of a report, for Undo to put back where it was.
struct DeletedTrades {
  // A list item that went with the trades: its place in the list before the
  // deletion, and whether it was selected.
  struct Item {
    int index;
    std::string text;
    bool selected;
  };

  // The rows' places in the table before the deletion, ascending, and their cells.
  std::vector<int> rowIndices;
  TextGrid rows{TradeTable::kColumns, TradeTable::kDataColumns, 0};
  // The items that went, by ascending place.
  std::vector<Item> symbols;
  std::vector<Item> magics;
  // Every item's selection before the deletion: a list left with nothing
  // selected shows everything, which changes the items that stay.
  std::vector<bool> symbolsSelected;
  std::vector<bool> magicsSelected;
};

}  // namespace quillfen
