#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillfen {

// A tester report's closing rows as the terminal's walk needs them. The trade
// table's rows carry the place, in the order listed, of the closing row that
// closed them (as row tags, so that they move with sorts and deletions); kept
// here are their count and the printed profit of the closings at the end of
// the test, whose trades the table keeps open.
class TesterCloses {
 public:
  // The next closing row listed, of a trade no earlier one closed or not;
  // returns its place.
  std::uint32_t Add(bool newTrade, bool atStop, double profit);
  void Clear() { *this = {}; }

  // Whether the closing row at this place closed all positions at the end of
  // the test, and then its printed profit.
  bool AtStop(std::size_t place, double& profit) const;
  // Closing rows listed.
  std::size_t Count() const { return count_; }
  // The trades they closed.
  std::size_t Trades() const { return trades_; }

 private:
  struct AtStopClose {
    std::size_t place;
    double profit;
  };
  std::vector<AtStopClose> atStop_;  // by place
  std::size_t count_ = 0;
  std::size_t trades_ = 0;
};

}  // namespace quillfen
