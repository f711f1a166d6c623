#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillfen {

// A trade of the terminal's walk as its grid row holds it: what a change of
// the options leaves as it is.
struct TerminalTrade {
  int row = 0;      // of the grids
  int atStop = -1;  // the tester's closing of all positions that closed it, if any
  bool sell = false;
  int symbol = 0;  // items of the breakdown
  int magic = 0;
};

// The trades of the walk and their order, taken again only when the
// statistics walk read its rows afresh: an option changed alone costs no
// reading of cells, no lookup and no sort.
struct TerminalWalkCache {
  std::uint64_t generation = 0;       // of the WalkCache rows it was taken from; 0 for none
  std::vector<TerminalTrade> trades;  // in grid order
  std::vector<std::uint32_t> order;   // the walk, as indices into trades
  std::uint64_t firstKey = 0;         // the first trade's closing moment
  std::size_t testerTrades = 0;       // the trades a tester's closing rows name
  std::vector<std::string> symbols;
  std::vector<std::string> magics;
};

}  // namespace quillfen
