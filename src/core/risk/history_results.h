#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "risk/history_runs.h"
#include "risk/source_trades.h"

namespace quillfen {

// The places of the sorted runs that the results name: 5, 25, 50, 75 and 95 %.
inline constexpr std::array<int, 5> kPercentiles = {5, 25, 50, 75, 95};
using PercentileValues = std::array<double, kPercentiles.size()>;

// The value at place round(q × (n − 1)) of the sorted values, for each q.
PercentileValues PercentilesOf(std::span<const double> values);

struct ChallengeShares {
  double passPercent = 0;
  double failMaxLossPercent = 0;
  double failDailyLossPercent = 0;
  double timeoutPercent = 0;
  std::optional<std::int32_t> medianDaysToPass;  // none when no run passed
};

// The balance percentiles after every place of the runs, from the deposit on.
struct EquityFan {
  double deposit = 0;
  std::int32_t steps = 0;        // the places' last step: the runs' length
  std::vector<std::int32_t> at;  // the step of each place
  std::vector<PercentileValues> balances;
  bool Empty() const { return balances.empty(); }
};

// What a pass of a history mode found, over the runs it played.
struct HistoryResults {
  HistoryDraw draw = HistoryDraw::resample;
  bool percent = false;
  std::int32_t runs = 0;
  SourceTrades source;
  PercentileValues finalBalance{};
  PercentileValues maxDrawdownPercent{};
  double ruinPercent = 0;
  std::optional<ChallengeShares> challenge;
  EquityFan fan;
};

// The first `played` runs of the record.
HistoryResults SummariseHistoryRuns(const SourceTrades& source, const HistoryModel& model,
                                    const HistoryRecord& record, std::int32_t played);

// The results as the window's table and the command line print them: a
// caption and its cells, under a heading of the percentiles.
struct ResultRow {
  std::string caption;
  std::vector<std::string> cells;
};
std::vector<std::string> HistoryTableHeading();
std::vector<ResultRow> HistoryTableRows(const HistoryResults& results);

}  // namespace quillfen
