// Real terminal files, when present beside the project: the terminal's own
// figures, printed as it prints them in its Details block.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "../import/import_test_support.h"
#include "../real_statements.h"

namespace quillfen {
namespace {

std::map<std::string, std::string> Figures(const Report& report) {
  std::map<std::string, std::string> figures;
  for (const FigureLine& line : report.terminalFigures) figures[line.label] = line.text;
  return figures;
}

Report OpenWhole(const std::string& file) {
  Report report;
  WriteGridHeaders(report);
  EXPECT_TRUE(OpenReport(report, std::string(QUILLFEN_STATEMENTS) + "/" + file)) << file;
  return report;
}

// Every printed figure of the oracle that carries one of our labels, text for text.
int ExpectOracle(const Report& report, const nlohmann::json& entry,
                 const std::set<std::string>& skipped) {
  const std::map<std::string, std::string> figures = Figures(report);
  int compared = 0;
  for (const auto& [label, printed] : entry["oracle"].items()) {
    if (!figures.contains(label) || skipped.contains(label) || !printed.is_string()) continue;
    EXPECT_EQ(figures.at(label), printed.get<std::string>()) << entry["file"] << " " << label;
    ++compared;
  }
  return compared;
}

TEST(TerminalConformance, StatementsGiveTheirDetailsTextForText) {
  nlohmann::json manifest = Manifest();
  if (manifest.is_null()) GTEST_SKIP() << "no real statements beside the project";
  // The terminal walked this history from 0, not from its first deposit: the
  // drops' shares differ, and so does the episode with the largest share.
  const std::string walkedFromZero = "002-mamolas-detailed-xauusd-4k-trades.htm";
  int compared = 0;
  for (const auto& entry : manifest) {
    if (entry.value("kind", "") != "statement" || entry.value("language", "") != "English")
      continue;
    std::set<std::string> skipped;
    if (entry["file"] == walkedFromZero) skipped = {"Maximal Drawdown", "Relative Drawdown"};
    compared += ExpectOracle(OpenWhole(entry["file"]), entry, skipped);
  }
  EXPECT_GT(compared, 0);
}

TEST(TerminalConformance, TesterReportsGiveTheirFiguresButDrawdowns) {
  nlohmann::json manifest = Manifest();
  if (manifest.is_null()) GTEST_SKIP() << "no real statements beside the project";
  // Their Profit cells are rounded: the terminal's gross sums of the exact
  // profits may differ from the printed cells' by a cent.
  const std::set<std::string> roundedProfits = {
      "027-tester-impulse-xauusd.htm", "029-tester-eurgbp-close-by.htm", "037-tester-bastet.htm"};
  int compared = 0;
  for (const auto& entry : manifest) {
    if (entry.value("kind", "") != "tester" || entry.value("language", "") != "English") continue;
    std::set<std::string> skipped;
    if (roundedProfits.contains(entry["file"])) skipped = {"Gross profit", "Gross loss"};
    compared += ExpectOracle(OpenWhole(entry["file"]), entry, skipped);
  }
  EXPECT_GT(compared, 0);
}

}  // namespace
}  // namespace quillfen
