#pragma once

#include <unordered_map>
#include <vector>

namespace quillfen {

// The latest stored row of each tester order number: the row a backward search
// from the last stored row would find first. Order numbers are mostly 1, 2, 3 ...,
// kept in a plain array; others go to a hash map.
class OrderIndex {
 public:
  // Rows are stored in increasing order, so a later row replaces an earlier one.
  void Store(long long order, int row) {
    if (order >= 0 && order < Limit()) {
      if (static_cast<std::size_t>(order) >= dense_.size())
        dense_.resize(static_cast<std::size_t>(order) + 1 + dense_.size() / 2, -1);
      dense_[static_cast<std::size_t>(order)] = row;
    } else {
      sparse_[order] = row;
    }
    ++stored_;
  }

  // -1 when no stored row has this order number.
  int Find(long long order) const {
    if (order >= 0 && static_cast<std::size_t>(order) < dense_.size() &&
        dense_[static_cast<std::size_t>(order)] >= 0)
      return dense_[static_cast<std::size_t>(order)];
    auto found = sparse_.find(order);
    return found == sparse_.end() ? -1 : found->second;
  }

 private:
  // The array never grows far beyond the number of rows stored.
  long long Limit() const { return 4 * stored_ + 4096; }

  std::vector<int> dense_;
  std::unordered_map<long long, int> sparse_;
  long long stored_ = 0;
};

}  // namespace quillfen
