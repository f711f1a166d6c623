#include "analysis/key_order.h"

#include <algorithm>
#include <utility>

namespace quillfen {

void OrderByKey(std::vector<KeyedIndex>& items) {
  constexpr int kDigitBits = 16;
  constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
  std::uint64_t differing = 0;  // the bits in which any two keys differ
  for (const KeyedIndex& item : items) differing |= item.key ^ items.front().key;
  std::vector<KeyedIndex> spare(items.size());
  std::vector<std::uint32_t> counts(kBuckets);
  for (int shift = 0; shift < 64; shift += kDigitBits) {
    if (((differing >> shift) & (kBuckets - 1)) == 0) continue;  // one digit for all: no move
    std::fill(counts.begin(), counts.end(), 0);
    for (const KeyedIndex& item : items) ++counts[(item.key >> shift) & (kBuckets - 1)];
    std::uint32_t start = 0;
    for (std::uint32_t& count : counts) start += std::exchange(count, start);
    for (const KeyedIndex& item : items)
      spare[counts[(item.key >> shift) & (kBuckets - 1)]++] = item;
    items.swap(spare);
  }
}

}  // namespace quillfen
