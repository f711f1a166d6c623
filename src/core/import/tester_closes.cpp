#include "import/tester_closes.h"

#include <algorithm>

namespace quillfen {

void TesterCloses::Add(long long order, bool atStop, double profit) {
  const std::size_t place = count_++;
  if (atStop) atStop_.push_back({place, profit});
  const bool inTable =
      order >= 0 && (order < static_cast<long long>(table_.size()) || order < Limit());
  if (!plain_ && inTable && place < UINT32_MAX) {
    const auto number = static_cast<std::size_t>(order);
    if (number >= table_.size()) table_.resize(number + 1 + table_.size() / 2, 0);
    // The number may have gone to the map while the table was smaller.
    if (!map_.empty() && map_.erase(order) > 0) --orders_;
    if (table_[number] == 0) ++orders_;
    table_[number] = static_cast<std::uint32_t>(place + 1);
    return;
  }
  if (map_.insert_or_assign(order, place).second) ++orders_;
}

void TesterCloses::Clear() {
  *this = TesterCloses(plain_);
}

std::size_t TesterCloses::Find(long long order) const {
  if (order >= 0 && order < static_cast<long long>(table_.size()))
    if (const std::uint32_t slot = table_[static_cast<std::size_t>(order)]; slot != 0)
      return slot - 1;
  if (map_.empty()) return kNone;
  const auto found = map_.find(order);
  return found == map_.end() ? kNone : found->second;
}

bool TesterCloses::AtStop(std::size_t place, double& profit) const {
  const auto found = std::lower_bound(
      atStop_.begin(), atStop_.end(), place,
      [](const AtStopClose& close, std::size_t wanted) { return close.place < wanted; });
  if (found == atStop_.end() || found->place != place) return false;
  profit = found->profit;
  return true;
}

}  // namespace quillfen
