#include "analysis/tester_close_index.h"

#include <algorithm>

namespace quillfen {

TesterCloseIndex::TesterCloseIndex(const std::vector<TesterClose>& closes, bool allowTable) {
  long long highest = 0;
  bool inRange = closes.size() < UINT32_MAX;
  for (const TesterClose& close : closes) {
    if (close.order < 0) inRange = false;
    highest = std::max(highest, close.order);
  }
  // A table at most four times the closes' count, and never big for a small report.
  const auto limit = static_cast<long long>(4 * closes.size() + 1024);
  useTable_ = allowTable && inRange && highest < limit;
  if (useTable_) {
    table_.assign(static_cast<std::size_t>(highest) + 1, 0);
    for (std::size_t i = 0; i < closes.size(); ++i) {
      std::uint32_t& slot = table_[static_cast<std::size_t>(closes[i].order)];
      if (slot == 0) ++orders_;
      slot = static_cast<std::uint32_t>(i + 1);
    }
    return;
  }
  for (std::size_t i = 0; i < closes.size(); ++i) map_.insert_or_assign(closes[i].order, i);
  orders_ = map_.size();
}

std::size_t TesterCloseIndex::Find(long long order) const {
  if (useTable_) {
    if (order < 0 || order >= static_cast<long long>(table_.size())) return kNone;
    const std::uint32_t slot = table_[static_cast<std::size_t>(order)];
    return slot == 0 ? kNone : slot - 1;
  }
  const auto found = map_.find(order);
  return found == map_.end() ? kNone : found->second;
}

}  // namespace quillfen
