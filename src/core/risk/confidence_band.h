#pragma once

#include <cstdint>
#include <span>

namespace quillfen {

// Where the middle confidencePercent of a per-run series lies, in buckets of a
// 100-bucket histogram between the series' min and max: buckets lo .. hi.
struct ConfidenceBand {
  double min = 0;
  double max = 0;
  int lo = 0;
  int hi = 0;
};

// Buckets are truncate((value - min) × 100 / (max - min)), max itself in 99;
// all values equal (or a width that is not a number) puts every value in
// bucket 0. From the mean bucket the band widens one bucket down and one up
// by turns until it holds more than n × c / 100 values (200 turns at most).
ConfidenceBand FindConfidenceBand(std::span<const double> series, std::int32_t confidencePercent);

}  // namespace quillfen
