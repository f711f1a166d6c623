#include "risk/history_results.h"

#include <algorithm>

#include "text/number_format.h"

namespace quillfen {

namespace {

double Share(std::int64_t count, std::int32_t runs) {
  return count * 100.0 / runs;
}

// Picks the middle place first, then each outer one within the part beyond
// the inner one next to it: every search covers a part of what the last left.
template <class T>
PercentileValues PickPercentiles(std::vector<T>& values) {
  const std::int64_t last = static_cast<std::int64_t>(values.size()) - 1;
  auto place = [&](std::size_t q) { return values.begin() + (kPercentiles[q] * last + 50) / 100; };
  auto pick = [](auto from, auto at, auto to) {
    std::nth_element(from, at, to);
    return at;
  };
  const auto p50 = pick(values.begin(), place(2), values.end());
  const auto p25 = pick(values.begin(), place(1), p50);
  const auto p5 = pick(values.begin(), place(0), p25);
  // Above the middle a place may be the one below it, which is picked already.
  const auto p75 = place(3) == p50 ? p50 : pick(p50 + 1, place(3), values.end());
  const auto p95 = place(4) == p75 ? p75 : pick(p75 + 1, place(4), values.end());
  return {static_cast<double>(*p5), static_cast<double>(*p25), static_cast<double>(*p50),
          static_cast<double>(*p75), static_cast<double>(*p95)};
}

ChallengeShares CountOutcomes(const HistoryRecord& record, std::int32_t played) {
  std::int64_t counts[4] = {};
  std::vector<double> days;
  for (std::int32_t r = 0; r < played; ++r) {
    const auto i = static_cast<std::size_t>(r);
    ++counts[static_cast<int>(record.outcomes[i])];
    if (record.outcomes[i] == ChallengeOutcome::passed) days.push_back(record.daysToPass[i]);
  }
  ChallengeShares shares;
  shares.timeoutPercent = Share(counts[static_cast<int>(ChallengeOutcome::timedOut)], played);
  shares.passPercent = Share(counts[static_cast<int>(ChallengeOutcome::passed)], played);
  shares.failMaxLossPercent =
      Share(counts[static_cast<int>(ChallengeOutcome::failedMaxLoss)], played);
  shares.failDailyLossPercent =
      Share(counts[static_cast<int>(ChallengeOutcome::failedDailyLoss)], played);
  if (!days.empty()) shares.medianDaysToPass = static_cast<std::int32_t>(PercentilesOf(days)[2]);
  return shares;
}

EquityFan MakeFan(const HistoryModel& model, const HistoryRecord& record, std::int32_t played) {
  EquityFan fan;
  fan.deposit = model.deposit;
  fan.at = record.placeSteps;
  fan.steps = record.placeSteps.back();
  std::vector<float> column(static_cast<std::size_t>(played));
  for (std::size_t k = 0; k < record.placeSteps.size(); ++k) {
    const auto first = record.fan.begin() + static_cast<std::ptrdiff_t>(k * record.finals.size());
    std::copy(first, first + played, column.begin());
    fan.balances.push_back(PickPercentiles(column));
  }
  return fan;
}

std::string Money(double value) {
  return FormatFixed(value, 0, 2);
}
std::string Percent(double value) {
  return FormatFixed(value, 0, 1) + "%";
}

}  // namespace

PercentileValues PercentilesOf(std::span<const double> values) {
  std::vector<double> copy(values.begin(), values.end());
  if (copy.empty()) return {};
  return PickPercentiles(copy);
}

HistoryResults SummariseHistoryRuns(const SourceTrades& source, const HistoryModel& model,
                                    const HistoryRecord& record, std::int32_t played) {
  HistoryResults out;
  out.draw = model.draw;
  out.percent = model.percent;
  out.runs = played;
  out.source = source;
  if (played <= 0) return out;
  const auto n = static_cast<std::size_t>(played);
  out.finalBalance = PercentilesOf(std::span(record.finals).first(n));
  out.maxDrawdownPercent = PercentilesOf(std::span(record.drawdowns).first(n));
  const auto ruined = std::count_if(record.drawdowns.begin(), record.drawdowns.begin() + played,
                                    [&](double d) { return d >= model.ruinDrawdown; });
  out.ruinPercent = Share(ruined, played);
  if (model.draw == HistoryDraw::challenge) out.challenge = CountOutcomes(record, played);
  out.fan = MakeFan(model, record, played);
  return out;
}

std::vector<std::string> HistoryTableHeading() {
  std::vector<std::string> heading;
  for (int q : kPercentiles) heading.push_back(std::to_string(q) + "%");
  return heading;
}

std::vector<ResultRow> HistoryTableRows(const HistoryResults& r) {
  std::vector<ResultRow> rows;
  rows.push_back({"Runs", {std::to_string(r.runs)}});
  ResultRow balance{"Final balance", {}}, drawdown{"Max drawdown", {}};
  for (std::size_t q = 0; q < kPercentiles.size(); ++q) {
    balance.cells.push_back(Money(r.finalBalance[q]));
    drawdown.cells.push_back(Percent(r.maxDrawdownPercent[q]));
  }
  rows.push_back(std::move(balance));
  rows.push_back(std::move(drawdown));
  rows.push_back({"Risk of ruin", {Percent(r.ruinPercent)}});
  if (r.challenge) {
    const ChallengeShares& c = *r.challenge;
    rows.push_back({"Passed", {Percent(c.passPercent)}});
    rows.push_back({"Failed, maximum loss", {Percent(c.failMaxLossPercent)}});
    rows.push_back({"Failed, daily loss", {Percent(c.failDailyLossPercent)}});
    rows.push_back({"Timed out", {Percent(c.timeoutPercent)}});
    rows.push_back(
        {"Median days to pass", {c.medianDaysToPass ? std::to_string(*c.medianDaysToPass) : ""}});
  }
  return rows;
}

}  // namespace quillfen
