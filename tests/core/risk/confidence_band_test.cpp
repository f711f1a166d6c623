#include "risk/confidence_band.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace quillfen {
namespace {

TEST(ConfidenceBand, HandMadeSeries) {
  struct Row {
    std::vector<double> series;
    int confidence;
    ConfidenceBand band;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Row rows[] = {
      // Buckets 0, 11, 22, ... 88, 99; mean 49.5: the band widens from 49/50
      // and holds 6 > 5 values once it reaches 77.
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 50, {0, 9, 22, 77}},
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 99, {0, 9, 0, 99}},
      // Buckets 99, 0, 55, 55, 55 (the max falls in 99); mean 52.8: three
      // turns reach bucket 55 with 3 > 2.5 values.
      {{9, 0, 5, 5, 5}, 50, {0, 9, 50, 55}},
      // Buckets 0, 99, 99, 50, 49; mean 59.4: turn 10 reaches bucket 50
      // going down, while going up has come to 68.
      {{0, 99, 99, 50, 49}, 1, {0, 99, 50, 68}},
      // Equal values: one bucket at 0 of zero width.
      {{5, 5, 5}, 99, {5, 5, 0, 0}},
      {{-2.5}, 99, {-2.5, -2.5, 0, 0}},
      // Confidence 100 is never exceeded: 200 turns take the band to both ends.
      {{1, 2, 3}, 100, {1, 3, 0, 99}},
      // A NaN width counts as zero width.
      {{nan, 1}, 99, {nan, nan, 0, 0}},
  };
  for (const Row& row : rows) {
    const ConfidenceBand band = FindConfidenceBand(row.series, row.confidence);
    if (row.band.min == row.band.min) {
      EXPECT_EQ(band.min, row.band.min);
      EXPECT_EQ(band.max, row.band.max);
    }
    EXPECT_EQ(band.lo, row.band.lo) << row.series[0] << " c " << row.confidence;
    EXPECT_EQ(band.hi, row.band.hi) << row.series[0] << " c " << row.confidence;
  }
}

}  // namespace
}  // namespace quillfen
