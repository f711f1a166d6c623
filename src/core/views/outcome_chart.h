#pragma once

#include "risk/outcome_histogram.h"
#include "views/display_list.h"

namespace quillfen {

inline constexpr Rgb kOutcomeKept{0, 0, 160};
inline constexpr Rgb kOutcomeRuined{220, 0, 0};
inline constexpr Rgb kOutcomeDeposit{0, 0, 0};
inline constexpr Rgb kOutcomeMean{0, 140, 0};
inline constexpr Rgb kOutcomeRange{150, 150, 150};

// The final balances of the last Monte Carlo pass as bars, the ruined runs of
// each bin in red at its foot; lines mark the deposit, the mean and the
// confidence range, named in their colours at the top left, and the outermost
// balances stand below the bars. An empty histogram draws the frame only.
DisplayList PaintOutcomeChart(const OutcomeHistogram& histogram, int width, int height);

}  // namespace quillfen
