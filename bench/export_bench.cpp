// Exports and chart display lists of a 100,000-trade report, built directly in
// the grids as the statistics engine leaves them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "analysis/trade_selection.h"
#include "export/csv_export.h"
#include "export/html_export.h"
#include "report.h"
#include "report_parts.h"
#include "text/number_format.h"
#include "views/balance_chart.h"
#include "views/chart_lookup.h"
#include "views/times_chart.h"

namespace quillfen {
namespace {

constexpr int kTrades = 100000;

void SetBoth(Report& report, int g1Column, int g2Column, int r, const std::string& text) {
  report.grid1.SetCell(g1Column, r, text);
  report.grid2.SetCell(g2Column, r, text);
}

const Report& BigReport() {
  static const Report report = [] {
    Report built;
    built.stats.initialDeposit = 10000;
    built.stats.winCount = kTrades / 2;
    built.stats.lossCount = kTrades - kTrades / 2;
    built.grid1.SetRowCount(kTrades + 1);
    built.grid2.SetRowCount(kTrades + 1);
    double balance = 10000;
    for (int r = 1; r <= kTrades; ++r) {
      const double pips = (r * 7919 % 400 - 190) / 10.0;
      const double profit = pips * 10;
      balance += profit - 0.7;
      char date[16], close[16];
      std::snprintf(date, sizeof date, "20%02d/%02d/%02d", 10 + r / 40000, 1 + r / 3000 % 12,
                    1 + r % 28);
      std::snprintf(close, sizeof close, "20%02d/%02d/%02d", 10 + r / 40000, 1 + r / 3000 % 12,
                    1 + (r + 1) % 28);
      SetBoth(built, g1::ticket, 0, r, std::to_string(1000000 + r));
      SetBoth(built, g1::type, 1, r, r % 3 ? "buy" : "sell");
      SetBoth(built, g1::lots, 2, r, "  0.10");
      SetBoth(built, g1::symbol, 3, r, r % 2 ? "EURUSD.m" : "usdjpy");
      SetBoth(built, g1::openPrice, 4, r, "1.43150");
      SetBoth(built, g1::closePrice, 7, r, "1.43250");
      SetBoth(built, g1::profit, g2::profit, r, FormatFixed(profit, 0, 2));
      built.grid1.SetCell(g1::openDate, r, date);
      built.grid1.SetCell(g1::openTime, r, "10:0" + std::to_string(r % 10));
      built.grid1.SetCell(g1::closeDate, r, r % 50 ? close : "");
      built.grid1.SetCell(g1::closeTime, r, r % 50 ? std::to_string(r % 24) + ":30" : "");
      built.grid1.SetCell(g1::pips, r, FormatGeneral(pips));
      built.grid1.SetCell(g1::balance, r, FormatFixed(balance, 13, 2));
      built.grid1.SetCell(g1::marker, r, r > 40000 && r < 45000 ? "*" : "");
      built.grid2.SetCell(g2::stopLoss, r, "1.42000");
      built.grid2.SetCell(g2::takeProfit, r, "1.44000");
      built.grid2.SetCell(g2::commission, r, "  -0.70");
      built.grid2.SetCell(g2::swap, r, "   0.00");
      built.grid2.SetCell(g2::magic, r, r % 4 ? "12345" : "");
      built.grid2.SetCell(g2::comment, r, r % 5 ? "" : "grid step");
    }
    return built;
  }();
  return report;
}

std::string OutputPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void BM_CsvExport(benchmark::State& state) {
  const Report& report = BigReport();
  const std::string path = OutputPath("quillfen-bench.csv");
  for (auto _ : state) benchmark::DoNotOptimize(WriteCsvFile(report, {true, true, false}, path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

void BM_HtmlExport(benchmark::State& state) {
  const Report& report = BigReport();
  const std::string path = OutputPath("quillfen-bench.htm");
  for (auto _ : state)
    benchmark::DoNotOptimize(WriteHtmlFiles(PageSourceOf(report), 10000,
                                            {path, "Quillfen 4.0 - bench", false}, nullptr));
  std::filesystem::remove(path);
}
BENCHMARK(BM_HtmlExport)->Unit(benchmark::kMillisecond);

void BM_BalanceChart(benchmark::State& state) {
  const Report& report = BigReport();
  for (auto _ : state)
    benchmark::DoNotOptimize(PaintBalanceChart(report, report.stats.initialDeposit,
                                               kReportImageWidth, kReportImageHeight,
                                               ChartSurface::reportPicture));
}
BENCHMARK(BM_BalanceChart)->Unit(benchmark::kMillisecond);

void BM_TimesChart(benchmark::State& state) {
  const Report& report = BigReport();
  for (auto _ : state)
    benchmark::DoNotOptimize(PaintTimesChart(report.grid1, 856, 400, TimesBasis::closeTimes));
}
BENCHMARK(BM_TimesChart)->Unit(benchmark::kMillisecond);

// What one mouse move over each chart costs on the Balance and Times tabs.
void BM_BalanceChartHover(benchmark::State& state) {
  const Report& report = BigReport();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        BalanceTradeAt(report, report.stats.initialDeposit, 1200, 600, 640, 300));
}
BENCHMARK(BM_BalanceChartHover)->Unit(benchmark::kMillisecond);

void BM_TimesChartHover(benchmark::State& state) {
  const Report& report = BigReport();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        TimesSlotAt(report.grid1, 1200, 600, TimesBasis::closeTimes, 640, 300));
}
BENCHMARK(BM_TimesChartHover)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillfen

BENCHMARK_MAIN();
