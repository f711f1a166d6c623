#include "analysis/key_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace quillfen {
namespace {

// The plain twin: std::stable_sort by key.
void OrderByKeyPlain(std::vector<KeyedIndex>& items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const KeyedIndex& a, const KeyedIndex& b) { return a.key < b.key; });
}

// Many equal keys, keys apart only in their high bits, and empty and single lists.
TEST(KeyOrder, TheRadixOrderIsTheStableSort) {
  std::mt19937_64 random(1515);
  for (int round = 0; round < 200; ++round) {
    const int size = round % 50 == 0 ? round / 50 : static_cast<int>(random() % 3000);
    const int shift = static_cast<int>(random() % 60);
    const std::uint64_t spread = 1 + random() % (round % 2 ? 8 : 100000);
    std::vector<KeyedIndex> items;
    for (int i = 0; i < size; ++i)
      items.push_back({(random() % spread) << shift, static_cast<std::uint32_t>(i)});
    std::vector<KeyedIndex> plain = items;
    OrderByKey(items);
    OrderByKeyPlain(plain);
    ASSERT_EQ(items.size(), plain.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      ASSERT_EQ(items[i].key, plain[i].key) << round;
      ASSERT_EQ(items[i].index, plain[i].index) << round;
    }
  }
}

}  // namespace
}  // namespace quillfen
