#include "import/ticket_sort.h"

#include <algorithm>
#include <numeric>

#include "text/text_conversions.h"

namespace quillfen {

std::vector<int> TicketOrder(const std::vector<int>& keys) {
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
  });
  return order;
}

void SortByTicket(TradeTable& table) {
  std::vector<int> slots;
  std::vector<int> keys;
  for (int row = 0; row < table.TradeRows(); ++row) {
    int ticket = TextToWhole(table.Cell(col::ticket, row));
    if (ticket <= 0) continue;
    slots.push_back(row);
    keys.push_back(ticket);
  }
  std::vector<int> order = TicketOrder(keys);
  std::vector<int> from(static_cast<std::size_t>(std::max(table.TradeRows(), 0)));
  std::iota(from.begin(), from.end(), 0);
  for (std::size_t p = 0; p < slots.size(); ++p)
    from[static_cast<std::size_t>(slots[p])] = slots[static_cast<std::size_t>(order[p])];
  table.PermuteRows(0, from);
}

}  // namespace quillfen
