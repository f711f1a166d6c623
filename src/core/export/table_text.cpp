#include "export/table_text.h"

#include <memory>

namespace quillfen {

void WriteTableText(const TradeTable& table, std::ostream& out) {
  // A large report's text is written a buffer at a time, the cells copied
  // straight into it.
  constexpr std::size_t kSize = 1 << 16;
  // A tab and a short cell copied as its sixteen bytes.
  constexpr std::size_t kCellRoom = 17;
  const std::unique_ptr<char[]> buffer(new char[kSize]);
  char* const first = buffer.get();
  std::size_t used = 0;
  auto flush = [&] {
    out.write(first, static_cast<std::streamsize>(used));
    used = 0;
  };
  for (int row = 0; row < table.RowCount(); ++row) {
    for (int column = 0; column < TradeTable::kColumns; ++column) {
      if (kSize - used < kCellRoom) flush();
      if (column > 0) first[used++] = '\t';
      std::size_t length = table.CopyCell(column, row, first + used, kSize - used);
      if (length == TextGrid::kNoRoom) {
        flush();
        length = table.CopyCell(column, row, first, kSize);
      }
      if (length == TextGrid::kNoRoom) {  // longer than the whole buffer
        const std::string_view cell = table.Cell(column, row);
        out.write(cell.data(), static_cast<std::streamsize>(cell.size()));
        length = 0;
      }
      used += length;
    }
    if (used == kSize) flush();
    first[used++] = '\n';
  }
  flush();
}

}  // namespace quillfen
