#include "risk/monte_carlo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "program_state.h"
#include "progress.h"
#include "risk/confidence_band.h"
#include "risk/monte_carlo_settings.h"
#include "risk/outcome_histogram.h"
#include "risk/run_lanes.h"
#include "risk/simulation_target.h"
#include "risk/trade_model.h"
#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

constexpr int kGrid1PipValueColumn = 16;

// Collects the runs by run number: final balance, maximum drawdown and a flag
// word (played, ruined, perfect), turned into the three series at the end.
class PassRecord final : public RunSink {
 public:
  enum : int { kPlayed = 1, kRuined = 2, kPerfect = 4 };

  PassRecord(std::int32_t runs, ProgramState& state, Progress& progress)
      : finals(runs), drawdowns(runs), flags(runs), state_(state), progress_(progress) {}

  bool RunPlayed(std::int32_t run, const RunOutcome& o) override {
    finals[run] = o.finalBalance;
    drawdowns[run] = o.maxDrawdown;
    flags[run] = kPlayed | (o.ruined ? kRuined : 0) | (o.perfect ? kPerfect : 0);
    ++played;
    progress_.SetPosition(played);
    progress_.Pump();
    return !state_.SimulationStopRequested;
  }
  bool KeepGoing() override {
    progress_.Pump();
    return !state_.SimulationStopRequested;
  }

  std::vector<double> finals, drawdowns, flags;
  std::int32_t played = 0;

 private:
  ProgramState& state_;
  Progress& progress_;
};

// The played runs' final balances and ruin, before the series replace them.
OutcomeHistogram CountPlayedOutcomes(const PassRecord& record) {
  std::vector<double> finals;
  std::vector<bool> ruined;
  finals.reserve(static_cast<std::size_t>(record.played));
  ruined.reserve(static_cast<std::size_t>(record.played));
  for (std::size_t r = 0; r < record.flags.size(); ++r) {
    const int flags = static_cast<int>(record.flags[r]);
    if ((flags & PassRecord::kPlayed) == 0) continue;
    finals.push_back(record.finals[r]);
    ruined.push_back((flags & PassRecord::kRuined) != 0);
  }
  return CountOutcomes(finals, ruined);
}

struct PassTotals {
  std::int32_t n = 0;
  double sumFinalBalance = 0;
  double sumMaxDrawdown = 0;
  std::int32_t perfectRuns = 0;
  std::int32_t ruinedRuns = 0;
};

// Sums over the played runs in run order and rewrites the record's arrays in
// place into the series: mean return so far (a fraction of D), mean maximum
// drawdown so far, ruined runs so far.
PassTotals MakeSeries(PassRecord& record, double floorDeposit) {
  PassTotals t;
  for (std::size_t r = 0; r < record.flags.size(); ++r) {
    const int flags = static_cast<int>(record.flags[r]);
    if ((flags & PassRecord::kPlayed) == 0) continue;
    t.sumFinalBalance += record.finals[r];
    t.sumMaxDrawdown += record.drawdowns[r];
    if (flags & PassRecord::kRuined) ++t.ruinedRuns;
    if (flags & PassRecord::kPerfect) ++t.perfectRuns;
    const std::size_t i = static_cast<std::size_t>(t.n++);
    record.finals[i] = (t.sumFinalBalance / t.n - floorDeposit) / floorDeposit;
    record.drawdowns[i] = t.sumMaxDrawdown / t.n;
    record.flags[i] = t.ruinedRuns;
  }
  return t;
}

// Absurd inputs overflow to infinities and NaN; a NaN shows without a sign.
std::string Fixed(double value, int decimals) {
  return FormatFixed(std::isnan(value) ? std::fabs(value) : value, 0, decimals);
}
std::string Percent(double value) {
  return Fixed(value, 1) + "%";
}
std::string PercentRange(double from, double to) {
  return Percent(from) + " - " + Percent(to);
}

void WriteResults(const MonteCarloSettings& s, std::int32_t tradesPerRun, double floorDeposit,
                  const PassTotals& t, MonteCarloResults& out, SimulationFigures& figures) {
  const double n = t.n;
  const double meanBalance = t.sumFinalBalance / n;
  const double ruin = t.ruinedRuns * 100.0 / n;
  const double returnPercent = (meanBalance - floorDeposit) * 100 / floorDeposit;
  const double avgDrawdown = t.sumMaxDrawdown / n;
  const double profitPerTrade =
      (s.winPercent * s.avgProfit - (100 - s.winPercent) * s.avgLoss) * 0.01;
  out.perfect = Percent(t.perfectRuns * 100.0 / n);
  out.riskOfRuin = Percent(ruin);
  out.balance = Fixed(std::trunc(meanBalance), 0);
  out.returnPercent = Percent(returnPercent);
  out.profitPerTrade = FormatGeneral(profitPerTrade);
  out.profitPerTradeRed = !(profitPerTrade > 0);
  out.avgDrawdown = Percent(avgDrawdown);
  out.errorRate = Percent(100 / std::sqrt(static_cast<double>(tradesPerRun)));
  figures = {ruin, avgDrawdown, returnPercent};
}

void WriteRanges(const PassRecord& record, const PassTotals& t, std::int32_t confidence,
                 double floorDeposit, MonteCarloResults& out) {
  const std::size_t n = static_cast<std::size_t>(t.n);
  const double runs = t.n;

  const auto r = FindConfidenceBand(std::span(record.finals).first(n), confidence);
  const double rw = r.max - r.min;
  out.returnRange = PercentRange(100 * r.min + r.lo * rw, 100 * r.min + r.hi * rw);
  out.deviation = Percent((r.hi - r.lo) * rw);
  out.balanceRange = Fixed(floorDeposit + floorDeposit * r.min, 0) + " - " +
                     Fixed(floorDeposit + floorDeposit * r.max, 0);
  out.outcome.rangeLow = floorDeposit + floorDeposit * r.min;
  out.outcome.rangeHigh = floorDeposit + floorDeposit * r.max;

  const auto d = FindConfidenceBand(std::span(record.drawdowns).first(n), confidence);
  const double dw = d.max - d.min;
  out.drawdownRange = PercentRange(d.min + d.lo * dw * 0.01, d.min + d.hi * dw * 0.01);

  const auto u = FindConfidenceBand(std::span(record.flags).first(n), confidence);
  const double uw = u.max - u.min;
  out.ruinRange = PercentRange((100 * u.min + u.lo * uw) / runs, (100 * u.min + u.hi * uw) / runs);
}

// Under statement sizing the first listed trade with a pip value decides the
// lot kind: below 5 per pip and lot the statement traded mini lots.
bool StatementMiniLots(const SimulationTarget& report, std::int32_t tradesPerRun) {
  const int last = static_cast<int>(
      std::min<std::int64_t>(std::int64_t{tradesPerRun} - 1, report.grid1.RowCount() - 1));
  for (int row = 1; row <= last; ++row) {
    const double pipValue = TextToAmount(report.grid1.Cell(kGrid1PipValueColumn, row));
    if (pipValue != 0) return pipValue < 5;
  }
  return true;
}

// The deposit of every run; a statement without a deposit switches the
// choice to the custom amount.
double PassDeposit(const SimulationTarget& report, const MonteCarloSettings& s) {
  if (s.depositSource == DepositSource::StatementDeposit) {
    if (report.stats.statementDeposit != 0) return report.stats.statementDeposit;
    report.options.deposit = DepositChoice::custom;
  }
  return s.customDeposit;
}

}  // namespace

std::int32_t TradesForDays(int grid1Rows, double periodDays, std::int32_t days) {
  const double span = periodDays == 0 ? 1 : periodDays;
  const double trades = std::trunc((grid1Rows - 2.0) * days / span);
  if (!(trades > 0)) return 0;
  return static_cast<std::int32_t>(
      std::min<double>(trades, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t DaysForTrades(int grid1Rows, double periodDays, std::int32_t trades) {
  if (grid1Rows - 2 <= 0) return 0;
  const double days = std::trunc(trades * periodDays / (grid1Rows - 2.0));
  if (!(days > 0)) return 0;
  return static_cast<std::int32_t>(
      std::min<double>(days, std::numeric_limits<std::int32_t>::max()));
}

PassCounts CountsOfPass(const SimulationTarget& report) {
  const MonteCarloSettings s = ReadMonteCarloSettings(report.options);
  const std::int32_t tradesPerRun =
      std::min(s.daysMode ? TradesForDays(report.grid1.RowCount(), report.stats.periodDays, s.days)
                          : s.tradesPerRun,
               kMaxTradesPerRun);
  return {std::min(s.runs, kMaxSimulationRuns), tradesPerRun};
}

void RunMonteCarloPass(const SimulationTarget& report, ProgramState& state, Progress& progress) {
  const MonteCarloSettings s = ReadMonteCarloSettings(report.options);
  const auto [runs, tradesPerRun] = CountsOfPass(report);
  if (tradesPerRun <= 0 || runs <= 0) return;
  const double deposit = PassDeposit(report, s);
  const double floorDeposit = std::trunc(deposit);
  if (!(floorDeposit >= 1)) return;

  progress.SetRange(runs);
  const std::uint64_t seed =
      state.simulationSeed.value_or(static_cast<std::uint64_t>(std::time(nullptr)));
  const TradeModel model =
      MakeTradeModel(s, deposit, tradesPerRun, StatementMiniLots(report, tradesPerRun));
  PassRecord record(runs, state, progress);
  PlayRuns(model, seed, runs, record);
  if (record.played == 0) return;

  report.simulationResults.outcome = CountPlayedOutcomes(record);
  report.simulationResults.outcome.deposit = floorDeposit;
  const PassTotals totals = MakeSeries(record, floorDeposit);
  WriteResults(s, tradesPerRun, floorDeposit, totals, report.simulationResults,
               state.LastSimulationFigures);
  WriteRanges(record, totals, s.confidencePercent, floorDeposit, report.simulationResults);
}

}  // namespace quillfen
