#include "risk/outcome_histogram.h"

#include <algorithm>
#include <cmath>

namespace quillfen {

int OutcomeHistogram::Bin(double balance) const {
  const double width = (high - low) / kBins;
  const double bin = std::floor((balance - low) / width);
  if (!(bin >= 0)) return 0;
  return static_cast<int>(std::min<double>(bin, kBins - 1));
}

OutcomeHistogram CountOutcomes(const std::vector<double>& finals, const std::vector<bool>& ruined) {
  OutcomeHistogram h;
  if (finals.empty()) return h;
  const auto [least, most] = std::minmax_element(finals.begin(), finals.end());
  h.low = *least;
  h.high = *most;
  // Every run ended alike: one bin's width around that balance.
  if (!(h.high > h.low)) {
    h.low -= 0.5;
    h.high += 0.5;
  }
  h.kept.assign(OutcomeHistogram::kBins, 0);
  h.ruined.assign(OutcomeHistogram::kBins, 0);
  double sum = 0;
  for (std::size_t run = 0; run < finals.size(); ++run) {
    const auto bin = static_cast<std::size_t>(h.Bin(finals[run]));
    ++(ruined[run] ? h.ruined : h.kept)[bin];
    sum += finals[run];
  }
  h.mean = sum / static_cast<double>(finals.size());
  return h;
}

}  // namespace quillfen
