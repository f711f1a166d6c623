#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace quillfen {

// A tester report's closing rows as the terminal's walk needs them: the place,
// in the order listed, of the last closing row that names each order number,
// and the printed profit of the closings at the end of the test (the table
// keeps those trades open). The tester numbers its orders 1, 2, 3…, so a table
// by number is the usual case: four bytes a closing row and one memory access
// a lookup. Numbers too sparse for the table go to a hash map, which gives the
// same answers.
class TesterCloses {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Plain keeps every number in the hash map: the twin the tests hold the table to.
  explicit TesterCloses(bool plain = false) : plain_(plain) {}

  // The next closing row listed.
  void Add(long long order, bool atStop, double profit);
  void Clear();

  // The place of the last closing row naming the order; kNone when none does.
  std::size_t Find(long long order) const;
  // Whether the closing row at this place closed all positions at the end of
  // the test, and then its printed profit.
  bool AtStop(std::size_t place, double& profit) const;
  // Closing rows listed.
  std::size_t Count() const { return count_; }
  // Distinct orders they name.
  std::size_t Orders() const { return orders_; }

 private:
  // The table never grows far beyond the number of closing rows.
  long long Limit() const { return 4 * static_cast<long long>(count_) + 4096; }

  struct AtStopClose {
    std::size_t place;
    double profit;
  };
  std::vector<std::uint32_t> table_;  // place + 1 by order number; 0 for none
  std::unordered_map<long long, std::size_t> map_;
  std::vector<AtStopClose> atStop_;  // by place
  std::size_t count_ = 0;
  std::size_t orders_ = 0;
  bool plain_ = false;
};

}  // namespace quillfen
