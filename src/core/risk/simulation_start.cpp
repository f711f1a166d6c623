#include "risk/simulation_start.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "program_state.h"
#include "risk/history_pass.h"
#include "risk/monte_carlo.h"
#include "risk/simulation_target.h"
#include "text/text_conversions.h"

namespace quillfen {

bool SimulationDepositAccepted(DepositChoice choice, std::string_view depositText,
                               const ReportStatistics& stats) {
  if (choice == DepositChoice::statement) return stats.statementDeposit != 0;
  return TextToWhole(depositText) != 0;
}

namespace {

// A count above its largest becomes the largest, also one that TextToWhole
// would read as 0 for having more than 32 bits.
void CapCount(std::string& text, std::int32_t maximum, const char* what,
              std::vector<std::string>* notices) {
  std::string_view whole = std::string_view(text).substr(0, text.find('.'));
  if (whole.empty() || whole.find_first_not_of("0123456789") != std::string_view::npos) return;
  whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
  if (whole.size() <= 10 && TextToLongWhole(whole) <= maximum) return;
  text = std::to_string(maximum);
  if (notices) notices->push_back(std::string(what) + " capped at " + text);
}

}  // namespace

bool SimulationInputsAccepted(ReportOptions& options, std::vector<std::string>* notices) {
  SimulationOptions& panel = options.simulation;
  if (IsHistoryMode(panel.mode)) {
    // The trading system and its trade count play no part in these modes.
    for (const std::string* text :
         {&options.depositText, &panel.maxDrawdownText, &panel.numRunsText})
      if (text->empty()) return false;
    CapCount(panel.numRunsText, kMaxSimulationRuns, "runs", notices);
    CapCount(panel.resampleTradesText, kMaxTradesPerRun, "trades per run", notices);
    return true;
  }
  for (const std::string* text :
       {&options.depositText, &panel.avgProfitText, &panel.percWinsText, &panel.maxDrawdownText,
        &panel.avgLossText, &panel.numTradesText, &panel.numRunsText}) {
    if (text->empty()) return false;
  }
  CapCount(panel.numRunsText, kMaxSimulationRuns, "runs", notices);
  CapCount(panel.numTradesText, kMaxTradesPerRun, "trades per run", notices);
  CapCount(panel.numDaysText, kMaxDaysPerRun, "days per run", notices);
  return true;
}

void CapPassDraws(const SimulationTarget& report, std::vector<std::string>& notices) {
  const PassCounts counts = CountsOfPass(report);
  if (counts.Draws() <= kMaxTradeDraws) return;
  std::string& runsText = report.options.simulation.numRunsText;
  runsText = std::to_string(kMaxTradeDraws / counts.tradesPerRun);
  notices.push_back("runs capped at " + runsText + ": a pass draws at most " +
                    std::to_string(kMaxTradeDraws) + " trades, runs times trades per run");
}

}  // namespace quillfen
