#include "risk/history_pass.h"

#include <ctime>

#include "program_state.h"
#include "progress.h"
#include "risk/history_results.h"
#include "risk/monte_carlo.h"
#include "risk/monte_carlo_results.h"
#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

// A box of digits and at most one period that reads above 0 and at most `most`.
bool WithinRange(const std::string& text, double most) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos ||
      text.find('.') != text.rfind('.'))
    return false;
  const double value = TextToAmount(text);
  return value > 0 && value <= most;
}

std::string RangeRule(const char* caption, double most) {
  return std::string(caption) + " must be above 0 and at most " + FormatGeneral(most);
}

}  // namespace

bool IsHistoryMode(SimulationMode mode) {
  return mode == SimulationMode::resampleTrades || mode == SimulationMode::shuffleTrades ||
         mode == SimulationMode::tradingChallenge;
}

std::string HistoryRefusal(const SimulationOptions& panel, const SourceTrades& source) {
  if (source.results.size() < 2) return "fewer than 2 closed trades to draw from";
  if (TextToWhole(panel.numRunsText) <= 0) return "Runs must be above 0";
  if (panel.mode == SimulationMode::tradingChallenge) {
    if (source.DayCount() == 0) return "no trading day to draw from";
    if (!WithinRange(panel.targetText, kMaxChallengeTarget))
      return RangeRule("Target %", kMaxChallengeTarget);
    if (!WithinRange(panel.maxLossText, 100)) return RangeRule("Max loss %", 100);
    if (!WithinRange(panel.dailyLossText, 100)) return RangeRule("Daily loss %", 100);
    if (!WithinRange(panel.challengeDaysText, kMaxDaysPerRun) ||
        TextToWhole(panel.challengeDaysText) < 1)
      return "Days must be a whole number from 1 to " + std::to_string(kMaxDaysPerRun);
    return {};
  }
  if (panel.mode == SimulationMode::resampleTrades && !panel.resampleTradesText.empty() &&
      TextToWhole(panel.resampleTradesText) <= 0)
    return "Trades per run must be above 0";
  if (panel.replayPercent && source.shares.empty())
    return "a balance before a trade is not above 0, so no trade has a share of it to replay";
  return {};
}

HistoryModel ReadHistoryModel(const SimulationOptions& panel, const SourceTrades& source,
                              double deposit) {
  HistoryModel m;
  m.draw = panel.mode == SimulationMode::shuffleTrades      ? HistoryDraw::shuffle
           : panel.mode == SimulationMode::tradingChallenge ? HistoryDraw::challenge
                                                            : HistoryDraw::resample;
  m.percent = panel.replayPercent && m.draw != HistoryDraw::challenge;
  m.deposit = deposit;
  m.ruinDrawdown = TextToWhole(panel.maxDrawdownText);
  m.tradesPerRun = panel.resampleTradesText.empty()
                       ? static_cast<std::int32_t>(source.results.size())
                       : std::min(TextToWhole(panel.resampleTradesText), kMaxTradesPerRun);
  m.rules.targetPercent = TextToAmount(panel.targetText);
  m.rules.maxLossPercent = TextToAmount(panel.maxLossText);
  m.rules.dailyLossPercent = TextToAmount(panel.dailyLossText);
  m.rules.days = TextToWhole(panel.challengeDaysText);
  return m;
}

void CapHistoryDraws(SimulationOptions& panel, const HistoryModel& model,
                     const SourceTrades& source, std::vector<std::string>& notices) {
  const std::int64_t perRun = std::int64_t{model.Steps(source)} *
                              (model.draw == HistoryDraw::challenge ? source.LongestDay() : 1);
  if (perRun <= 0 || std::int64_t{TextToWhole(panel.numRunsText)} * perRun <= kMaxTradeDraws)
    return;
  panel.numRunsText = std::to_string(kMaxTradeDraws / perRun);
  notices.push_back("runs capped at " + panel.numRunsText + ": a pass draws at most " +
                    std::to_string(kMaxTradeDraws) + " trades, runs times trades per run");
}

void RunHistoryPass(const SourceTrades& source, const HistoryModel& model, std::int32_t runs,
                    ProgramState& state, Progress& progress, MonteCarloResults& out) {
  const std::int32_t steps = model.Steps(source);
  HistoryRecord record(runs, steps, FanPlaces(runs, steps));
  progress.SetRange(runs);
  const std::uint64_t seed =
      state.simulationSeed.value_or(static_cast<std::uint64_t>(std::time(nullptr)));
  const std::int32_t played =
      PlayHistoryRuns(source, model, seed, record, [&](std::int32_t played) {
        progress.SetPosition(played);
        progress.Pump();
        return !state.SimulationStopRequested;
      });
  out.history = SummariseHistoryRuns(source, model, record, played);
}

}  // namespace quillfen
