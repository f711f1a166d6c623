#include "import/tester_closes.h"

#include <algorithm>

namespace quillfen {

std::uint32_t TesterCloses::Add(bool newTrade, bool atStop, double profit) {
  const std::size_t place = count_++;
  if (newTrade) ++trades_;
  if (atStop) atStop_.push_back({place, profit});
  return static_cast<std::uint32_t>(place);
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
