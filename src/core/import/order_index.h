#pragma once

#include <unordered_map>
#include <vector>

namespace quillfen {

// The latest stored row of each tester order number: the row a backward search
// from the last stored row would find first. Order numbers are mostly 1, 2, 3 ...
// in the rows' own order: while they come so, the run is kept as its start
// alone; then in a plain array; others go to a hash map.
class OrderIndex {
 public:
  // Rows are stored in increasing order, so a later row replaces an earlier one.
  void Store(long long order, int row) {
    ++stored_;
    if (dense_.empty() && sparse_.empty()) {
      if (runLength_ == 0) {
        runOrder_ = order;
        runRow_ = row;
      }
      if (order == runOrder_ + runLength_ && row == runRow_ + runLength_ && order >= 0) {
        ++runLength_;
        return;
      }
      SpreadRun();
    }
    if (order >= 0 && order < Limit()) {
      if (static_cast<std::size_t>(order) >= dense_.size())
        dense_.resize(static_cast<std::size_t>(order) + 1 + dense_.size() / 2, -1);
      dense_[static_cast<std::size_t>(order)] = row;
    } else {
      sparse_[order] = row;
    }
  }

  // -1 when no stored row has this order number.
  int Find(long long order) const {
    if (order >= runOrder_ && order < runOrder_ + runLength_)
      return runRow_ + static_cast<int>(order - runOrder_);
    if (order >= 0 && static_cast<std::size_t>(order) < dense_.size() &&
        dense_[static_cast<std::size_t>(order)] >= 0)
      return dense_[static_cast<std::size_t>(order)];
    auto found = sparse_.find(order);
    return found == sparse_.end() ? -1 : found->second;
  }

 private:
  // The array never grows far beyond the number of rows stored.
  long long Limit() const { return 4 * stored_ + 4096; }

  // The run so far goes into the array or the map, as any other rows.
  void SpreadRun() {
    const long long order = runOrder_, length = runLength_;
    const int row = runRow_;
    runLength_ = 0;
    for (long long i = 0; i < length; ++i) {
      if (order + i >= 0 && order + i < Limit()) {
        if (static_cast<std::size_t>(order + i) >= dense_.size())
          dense_.resize(static_cast<std::size_t>(order + length) + 1, -1);
        dense_[static_cast<std::size_t>(order + i)] = row + static_cast<int>(i);
      } else {
        sparse_[order + i] = row + static_cast<int>(i);
      }
    }
  }

  long long runOrder_ = 0;
  long long runLength_ = 0;
  int runRow_ = 0;
  std::vector<int> dense_;
  std::unordered_map<long long, int> sparse_;
  long long stored_ = 0;
};

}  // namespace quillfen
