#pragma once

#include <unordered_map>

namespace quillfen {

// The latest stored row of each tester order number: the row a backward search
// from the last stored row would find first.
class OrderIndex {
 public:
  // Rows are stored in increasing order, so a later row replaces an earlier one.
  void Store(long long order, int row) { latest_[order] = row; }
  // -1 when no stored row has this order number.
  int Find(long long order) const {
    auto found = latest_.find(order);
    return found == latest_.end() ? -1 : found->second;
  }

 private:
  std::unordered_map<long long, int> latest_;
};

}  // namespace quillfen
