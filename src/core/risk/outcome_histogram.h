#pragma once

#include <cstdint>
#include <vector>

namespace quillfen {

// The final balances of a Monte Carlo pass's runs, counted into bins of equal
// width, the ruined runs apart, with the figures the picture marks.
struct OutcomeHistogram {
  static constexpr int kBins = 40;

  double low = 0;                    // the first bin's left edge
  double high = 0;                   // the last bin's right edge
  std::vector<std::int32_t> kept;    // runs per bin that were not ruined
  std::vector<std::int32_t> ruined;  // runs per bin that were
  double deposit = 0;
  double mean = 0;
  double rangeLow = 0;  // the confidence range of the balance
  double rangeHigh = 0;

  bool Empty() const { return kept.empty(); }
  // The bin of a final balance, the highest balance in the last bin.
  int Bin(double balance) const;
};

// Counts the played runs' final balances; ruined[i] tells whether run i was ruined.
OutcomeHistogram CountOutcomes(const std::vector<double>& finals, const std::vector<bool>& ruined);

}  // namespace quillfen
