#include "analysis/selection_list.h"

#include <algorithm>

namespace quillfen {

namespace {

unsigned char Lower(char c) {
  auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

}  // namespace

std::size_t CaseInsensitiveHash::operator()(std::string_view text) const {
  std::size_t hash = 14695981039346656037ull;  // FNV-1a
  for (char c : text) hash = (hash ^ Lower(c)) * 1099511628211ull;
  return hash;
}

bool CaseInsensitiveEqual::operator()(std::string_view a, std::string_view b) const {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

bool SelectionList::AnySelected() const {
  return std::find(selected_.begin(), selected_.end(), true) != selected_.end();
}

void SelectionList::SelectAll() {
  std::fill(selected_.begin(), selected_.end(), true);
}

void SelectionList::SelectNone() {
  std::fill(selected_.begin(), selected_.end(), false);
}

int SelectionList::Find(std::string_view text) const {
  auto found = index_.find(text);
  return found == index_.end() ? -1 : found->second;
}

bool SelectionList::IsSelectedItem(std::string_view text) const {
  int index = Find(text);
  return index >= 0 && IsSelected(index);
}

void SelectionList::Clear() {
  items_.clear();
  selected_.clear();
  index_.clear();
}

void SelectionList::Append(std::string_view item) {
  items_.emplace_back(item);
  selected_.push_back(false);
  index_.emplace(std::string(item), Size() - 1);
}

void SelectionList::Insert(int index, std::string_view item, bool selected) {
  index = std::clamp(index, 0, Size());
  items_.emplace(items_.begin() + index, item);
  selected_.insert(selected_.begin() + index, selected);
  Reindex();
}

void SelectionList::RemoveAt(int index) {
  if (index < 0 || index >= Size()) return;
  items_.erase(items_.begin() + index);
  selected_.erase(selected_.begin() + index);
  Reindex();
}

// emplace keeps the first of items that match each other, as a search from the top finds it.
void SelectionList::Reindex() {
  index_.clear();
  for (int i = 0; i < Size(); ++i) index_.emplace(items_[static_cast<std::size_t>(i)], i);
}

}  // namespace quillfen
