#pragma once

#include <variant>
#include <vector>

#include "views/display_list.h"

namespace quillfen::testing {

// The items of one kind and colour in a display list, in their order.
template <class Item>
std::vector<Item> ItemsOfColour(const DisplayList& list, Rgb colour) {
  std::vector<Item> items;
  for (const DisplayItem& item : list.items)
    if (const auto* found = std::get_if<Item>(&item); found && found->colour == colour)
      items.push_back(*found);
  return items;
}

inline std::vector<FillItem> Fills(const DisplayList& list, Rgb colour) {
  return ItemsOfColour<FillItem>(list, colour);
}

inline std::vector<LineItem> Lines(const DisplayList& list, Rgb colour) {
  return ItemsOfColour<LineItem>(list, colour);
}

}  // namespace quillfen::testing
