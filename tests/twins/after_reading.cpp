#include "twins/after_reading.h"

#include <string>

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

void WriteTableTextPlain(const TradeTable& table, std::ostream& out) {
  std::string text;
  for (int row = 0; row < table.RowCount(); ++row) {
    for (int column = 0; column < TradeTable::kColumns; ++column) {
      if (column > 0) text += '\t';
      text += table.Cell(column, row);
    }
    text += '\n';
    if (text.size() > (1 << 16)) {
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
      text.clear();
    }
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace quillfen::testing
