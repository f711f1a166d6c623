#pragma once

#include <string>

namespace quillfen {

enum class DepositChoice { statement, custom };
enum class SizingChoice { original, miniLots, standardLots, miniAmount, standardAmount };
enum class DisplayFilter { all, closed, open };
enum class SimulationMode {
  monteCarlo,
  minimumDeposit,
  minimumTrades,
  resampleTrades,
  shuffleTrades,
  tradingChallenge
};

// What the simulation tab's own boxes hold (its deposit and sizing twins are
// copies of the Options tab's and live in the window only).
struct SimulationOptions {
  std::string avgProfitText;
  std::string avgLossText;
  std::string percWinsText;
  bool dollars = false;  // PipsRadioButton checked by default
  bool importFromReport = true;
  std::string maxDrawdownText = "30";
  bool daysMode = false;
  std::string numTradesText = "100";
  std::string numDaysText = "365";
  SimulationMode mode = SimulationMode::monteCarlo;
  std::string numRunsText = "1000";
  std::string accuracyText = "99";
  // The modes that draw from the report's own trades.
  bool replayPercent = false;
  std::string resampleTradesText;  // empty: as many as the report has
  std::string targetText = "10";
  std::string maxLossText = "10";
  std::string dailyLossText = "5";
  std::string challengeDaysText = "30";
};

// The values the Options tab's controls hold, as texts where the controls are
// edit boxes; the window copies its controls here before each core call.
struct ReportOptions {
  DepositChoice deposit = DepositChoice::statement;
  std::string depositText = "5000";
  SizingChoice sizing = SizingChoice::original;
  std::string miniContractsText = "1";
  std::string standardContractsText = "1";
  std::string miniAmountText = "1000";
  std::string standardAmountText = "10000";
  std::string minMiniLotsText = "0.01";
  std::string maxMiniLotsText = "50";
  std::string minStandardLotsText = "0.01";
  std::string maxStandardLotsText = "100";
  DisplayFilter display = DisplayFilter::all;
  // The broker's clock moved for grouping by time (Times chart, months, drawdown
  // episodes), in minutes; always whole quarter hours within a day either way.
  int timeShiftMinutes = 0;
  bool csvDecimalComma = true;
  bool csvFieldSemicolon = true;
  SimulationOptions simulation;
};

}  // namespace quillfen
