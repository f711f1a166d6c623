#include "twins/after_reading.h"

#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen::testing {

void FillComputedColumnsPlain(TradeTable& table, int row, bool statementTrade) {
  auto cell = [&](int column) { return table.Cell(column, row); };
  const double pips =
      TextToAmount(cell(col::closePrice)) > 0 && TextToAmount(cell(col::openPrice)) > 0
          ? PipsBetween(cell(col::type), cell(col::openPrice), cell(col::closePrice))
          : 0;
  table.SetCell(col::pips, row, FormatGeneral(pips));
  const double lots = TextToAmount(cell(col::lots));
  const double lotPips = lots * pips;
  table.SetCell(col::pipValuePerLot, row,
                lotPips != 0 ? FormatGeneral(TextToAmount(cell(col::profit)) / lotPips) : "0");
  if (statementTrade) {
    auto perLot = [&](int from, int to) {
      table.SetCell(to, row, lots != 0 ? FormatGeneral(TextToAmount(cell(from)) / lots) : "0");
    };
    perLot(col::commission, col::commissionPerLot);
    perLot(col::swap, col::swapPerLot);
    perLot(col::taxes, col::taxesPerLot);
  }
  table.SetCell(col::duration, row,
                TradeDuration(cell(col::openDate), cell(col::openTime), cell(col::closeDate),
                              cell(col::closeTime), true));
}

}  // namespace quillfen::testing
