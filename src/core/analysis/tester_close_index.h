#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "import/report_statistics.h"

namespace quillfen {

// A tester report's trades, by order number, to the last closing row that
// names them. The tester numbers its orders 1, 2, 3…, so a table by number is
// the usual case: one memory access a lookup. Numbers too sparse for a table
// go to a hash map, which gives the same answers.
class TesterCloseIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  explicit TesterCloseIndex(const std::vector<TesterClose>& closes, bool allowTable = true);

  // The index into the closes of the last one naming the order; kNone when none does.
  std::size_t Find(long long order) const;
  // How many orders the closes name.
  std::size_t Orders() const { return orders_; }

 private:
  std::vector<std::uint32_t> table_;  // index + 1 by order number; 0 for none
  std::unordered_map<long long, std::size_t> map_;
  bool useTable_ = false;
  std::size_t orders_ = 0;
};

}  // namespace quillfen
