#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillfen {

// What one Delete took out of a report, for Undo to put back where it was.
// It holds the removed rows' own texts alone: a deletion of one trade from a
// million keeps a few hundred bytes.
struct DeletedTrades {
  // A list item that went with the trades: its place in the list before the
  // deletion, and whether it was selected.
  struct Item {
    int index;
    std::string text;
    bool selected;
  };

  // The rows' places in the table before the deletion, ascending; their row
  // tags and their cells of the kept columns, row after row.
  std::vector<int> rowIndices;
  std::vector<std::uint32_t> rowTags;
  std::vector<std::string> cells;
  // The items that went, by ascending place.
  std::vector<Item> symbols;
  std::vector<Item> magics;
  // Every item's selection before the deletion: a list left with nothing
  // selected shows everything, which changes the items that stay.
  std::vector<bool> symbolsSelected;
  std::vector<bool> magicsSelected;
};

}  // namespace quillfen
