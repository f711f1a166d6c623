#include "import/computed_columns.h"

#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

// A computed number's cell, written from a buffer of its own for most values:
// a report's rows take several each.
void SetNumber(TradeTable& table, int column, int row, double value) {
  char text[kGeneralRoom];
  if (const std::size_t length = FormatGeneralTo(value, text); length > 0)
    table.SetCell(column, row, std::string_view(text, length));
  else
    table.SetCell(column, row, FormatGeneral(value));
}

}  // namespace

void FillComputedColumns(TradeTable& table, int row, bool statementTrade) {
  auto cell = [&](int column) { return table.Cell(column, row); };
  const std::string_view openPrice = cell(col::openPrice);
  const std::string_view closePrice = cell(col::closePrice);
  // A trade without its opening (a close whose entry the report lacks) has no pips.
  const double pips = TextToAmount(closePrice) > 0 && TextToAmount(openPrice) > 0
                          ? PipsBetween(cell(col::type), openPrice, closePrice)
                          : 0;
  SetNumber(table, col::pips, row, pips);
  const double lots = TextToAmount(cell(col::lots));
  const double lotPips = lots * pips;
  SetNumber(table, col::pipValuePerLot, row,
            lotPips != 0 ? TextToAmount(cell(col::profit)) / lotPips : 0);
  if (statementTrade) {
    auto perLot = [&](int from, int to) {
      SetNumber(table, to, row, lots != 0 ? TextToAmount(cell(from)) / lots : 0);
    };
    perLot(col::commission, col::commissionPerLot);
    perLot(col::swap, col::swapPerLot);
    perLot(col::taxes, col::taxesPerLot);
  }
  table.SetCell(col::duration, row,
                TradeDuration(cell(col::openDate), cell(col::openTime), cell(col::closeDate),
                              cell(col::closeTime), true));
}

}  // namespace quillfen
