#pragma once

#include <cstdint>
#include <vector>

namespace quillfen {

// An item to put in order: its key and what it stands for.
struct KeyedIndex {
  std::uint64_t key = 0;
  std::uint32_t index = 0;
};

// Orders by key, equal keys keeping their order: a radix sort, which a refresh
// over 100,000 trades can afford where a comparison sort cannot.
void OrderByKey(std::vector<KeyedIndex>& items);

// The same with std::stable_sort: the plain twin the tests hold it equal to.
void OrderByKeyPlain(std::vector<KeyedIndex>& items);

}  // namespace quillfen
