#include "import/ticket_sort.h"

#include <algorithm>
#include <climits>
#include <numeric>

#include "text/text_conversions.h"

namespace quillfen {

namespace {

// Minimum tree over the keys, for "the first position from p on whose key is
// below v" in logarithmic time.
class MinTree {
 public:
  explicit MinTree(const std::vector<int>& keys) {
    while (size_ < keys.size()) size_ *= 2;
    tree_.assign(2 * size_, INT_MAX);
    std::copy(keys.begin(), keys.end(), tree_.begin() + static_cast<std::ptrdiff_t>(size_));
    for (std::size_t i = size_ - 1; i > 0; --i) tree_[i] = std::min(tree_[2 * i], tree_[2 * i + 1]);
  }

  void Set(std::size_t position, int key) {
    std::size_t i = position + size_;
    tree_[i] = key;
    for (i /= 2; i > 0; i /= 2) tree_[i] = std::min(tree_[2 * i], tree_[2 * i + 1]);
  }

  // The first position at or after from with a key below value; npos when none.
  std::size_t FirstBelow(std::size_t from, int value) const {
    return Find(1, 0, size_, from, value);
  }

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  std::size_t Find(std::size_t node, std::size_t lo, std::size_t hi, std::size_t from,
                   int value) const {
    if (hi <= from || tree_[node] >= value) return npos;
    if (hi - lo == 1) return lo;
    std::size_t mid = (lo + hi) / 2;
    std::size_t left = Find(2 * node, lo, mid, from, value);
    return left != npos ? left : Find(2 * node + 1, mid, hi, from, value);
  }

  std::size_t size_ = 1;
  std::vector<int> tree_;
};

// Each outer step of the exchange procedure carries position i's key along the
// chain of ever smaller keys to its right; only the links of that chain move.
std::vector<int> SimulatedExchange(std::vector<int> keys) {
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  MinTree tree(keys);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    for (std::size_t j = tree.FirstBelow(i + 1, keys[i]); j != MinTree::npos;
         j = tree.FirstBelow(j + 1, keys[i])) {
      std::swap(keys[i], keys[j]);
      std::swap(order[i], order[j]);
      tree.Set(j, keys[j]);
    }
    tree.Set(i, keys[i]);
  }
  return order;
}

}  // namespace

std::vector<int> ExchangeOrder(const std::vector<int>& keys) {
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::vector<int> sorted = keys;
  std::sort(sorted.begin(), sorted.end());
  if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end())
    return SimulatedExchange(keys);
  // With distinct keys the exchanges simply sort.
  std::sort(order.begin(), order.end(), [&](int a, int b) {
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
  std::vector<int> order = ExchangeOrder(keys);
  std::vector<int> from(static_cast<std::size_t>(std::max(table.TradeRows(), 0)));
  std::iota(from.begin(), from.end(), 0);
  for (std::size_t p = 0; p < slots.size(); ++p)
    from[static_cast<std::size_t>(slots[p])] = slots[static_cast<std::size_t>(order[p])];
  table.PermuteRows(0, from);
}

}  // namespace quillfen
