#include "risk/confidence_band.h"

#include <algorithm>
#include <array>

namespace quillfen {

namespace {

constexpr int kBuckets = 100;

int BucketOf(double value, double min, double width) {
  if (!(width > 0)) return 0;
  const double q = (value - min) * kBuckets / width;
  if (!(q >= 0)) return 0;
  if (q >= kBuckets - 1) return kBuckets - 1;
  return static_cast<int>(q);
}

}  // namespace

ConfidenceBand FindConfidenceBand(std::span<const double> series, std::int32_t confidencePercent) {
  ConfidenceBand band;
  if (series.empty()) return band;
  band.min = band.max = series[0];
  for (double v : series) {
    band.min = std::min(band.min, v);
    band.max = std::max(band.max, v);
  }
  const double width = band.max - band.min;

  std::array<long long, kBuckets> count{};
  for (double v : series) ++count[BucketOf(v, band.min, width)];
  double weighted = 0;
  for (int b = 0; b < kBuckets; ++b) weighted += static_cast<double>(b) * count[b];
  const double n = static_cast<double>(series.size());
  const double mean = weighted / n;

  const double wanted = n * confidencePercent * 0.01;
  int lo = static_cast<int>(mean + 1);
  int hi = static_cast<int>(mean);
  long long covered = 0;
  for (int turn = 0; turn < 200; ++turn) {
    if (lo > 0) covered += count[--lo];
    if (covered > wanted) break;
    if (hi < kBuckets - 1) covered += count[++hi];
    if (covered > wanted) break;
  }
  band.lo = lo;
  band.hi = hi;
  return band;
}

}  // namespace quillfen
