// The export commands as the main window runs them on a report read from a
// statement: the figures are recomputed first, then the grids are written.
#include <gtest/gtest.h>

#include "../import/import_test_support.h"
#include "../support/temp_dir.h"
#include "actions/export_actions.h"
#include "messages.h"
#include "program_state.h"
#include "report.h"

namespace quillfen {
namespace {

using testing::ReadFile;
using testing::TempDir;

// The commands as the window runs them, on the options the report holds.
bool RunCsvExport(Report& report, const ProgramState& state, const std::string& path,
                  std::string* error) {
  ExportResult result = ExportCsvReport(report, state, report.options, path);
  *error = result.reason;
  return result.outcome == ExportOutcome::written;
}

bool RunHtmlExport(Report& report, const HtmlExportRequest& request, const ChartRenderer& renderer,
                   std::string* error) {
  ExportResult result = ExportHtmlReport(report, report.options, request, renderer);
  *error = result.reason;
  return result.outcome == ExportOutcome::written;
}

Report OpenMix() {
  Report report;
  WriteGridHeaders(report);
  EXPECT_TRUE(OpenReport(report, std::string(QUILLFEN_FIXTURES) + "/statement_export_mix.htm"));
  return report;
}

TEST(ExportCommands, CsvOfAStatementWithAnOpenTrade) {
  TempDir dir;
  Report report = OpenMix();
  ProgramState state;
  std::string error;
  ASSERT_TRUE(RunCsvExport(report, state, dir / "mix.csv", &error)) << error;
  EXPECT_EQ(
      ReadFile(dir / "mix.csv"),
      "Ticket;Open date;Open time;Type;Lots;Item;Open price;S/L;T/P;Close date;Close time;"
      "Close price;Comm;Swap;Duration;Pips;Profit;Balance;Dd;Magic;Comment\r\n"
      "1001;2010/01/04;10:00:00;buy;  1,00;eurusd;1,43150;1,42000;1,44000;2010/01/05;"
      "15:05:00;1,43250;  -7,00;  -1,20;29:05;10;100,00;     10091,80;;4711;trend;\r\n"
      "1002;2010/01/06;14:10:00;sell;  0,50;gbpusd,m;1,60000;1,61000;1,59000;2010/01/06;"
      "14:40:00;1,60500;  -3,50;   0,00;0:30;-50;-250,00;      9838,30;*;;;\r\n"
      "1003;2010/01/07;09:00:00;buy;  2,00;usdjpy;91,500;90,000;93,000;2010/01/07;11:30:00;"
      "91,250; -14,00;   0,00;2:30;-25;-547,95;      9276,35;*;;;\r\n"
      "1004;2010/01/08;08:00:00;sell;  1,00;eurusd;1,44000;1,45000;1,43000;2010/01/11;"
      "09:30:00;1,43500;  -7,00;  -3,40;73:30;50;500,00;      9765,95;;4711;\"trend;reversal\";\r\n"
      "1005;2010/01/11;10:00:00;buy;  0,30;eurusd;1,43500;1,42500;1,44500;;;1,43600;  -2,10;"
      "   0,00;;10;30,00;      9793,85;;;;\r\n");
  state.CompactCsvRequested = true;
  ASSERT_TRUE(RunCsvExport(report, state, dir / "compact.csv", &error)) << error;
  EXPECT_EQ(ReadFile(dir / "compact.csv"),
            "2010/01/04 10:00:00, 1.43150, 2010/01/05 15:05:00, 1.43250, 1.42000, 1, 100.00, ,   "
            "1.00\r\n"
            "2010/01/06 14:10:00, 1.60000, 2010/01/06 14:40:00, 1.60500, 1.61000, -1, -250.00, ,   "
            "0.50\r\n"
            "2010/01/07 09:00:00, 91.500, 2010/01/07 11:30:00, 91.250, 90.000, 1, -547.95, ,   "
            "2.00\r\n"
            "2010/01/08 08:00:00, 1.44000, 2010/01/11 09:30:00, 1.43500, 1.45000, -1, 500.00, ,   "
            "1.00\r\n");
}

TEST(ExportCommands, FiguresAreRecomputedBeforeWriting) {
  TempDir dir;
  Report report = OpenMix();
  // Options edited but not yet applied: the export applies them.
  report.options.sizing = SizingChoice::standardLots;
  report.options.standardContractsText = "2";
  std::string error;
  ASSERT_TRUE(RunCsvExport(report, ProgramState{}, dir / "two.csv", &error)) << error;
  EXPECT_NE(ReadFile(dir / "two.csv").find("1001;2010/01/04;10:00:00;buy;  2,00;"),
            std::string::npos);
}

TEST(ExportCommands, PageShowsTheDepositInUse) {
  TempDir dir;
  Report report = OpenMix();
  std::string error;
  ASSERT_TRUE(RunHtmlExport(report, {dir / "a.htm", "t", false}, nullptr, &error)) << error;
  EXPECT_NE(ReadFile(dir / "a.htm")
                .find("<b>Initial deposit</b></td><td width=100 "
                      "align=right>    10000.00</td>"),
            std::string::npos);
  report.options.deposit = DepositChoice::custom;
  report.options.depositText = "7500.5";
  ASSERT_TRUE(RunHtmlExport(report, {dir / "b.htm", "t", false}, nullptr, &error)) << error;
  const std::string page = ReadFile(dir / "b.htm");
  EXPECT_NE(page.find("<b>Initial deposit</b></td><td width=100 align=right>     7500.50</td>"),
            std::string::npos);
  EXPECT_NE(page.find("<td>      7592.30</td>"), std::string::npos) << "balances from 7500.50";
}

}  // namespace
}  // namespace quillfen
