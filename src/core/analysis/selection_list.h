#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillfen {

// Hash and equality that ignore ASCII letter case, for lookups by string_view.
struct CaseInsensitiveHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const;
};
struct CaseInsensitiveEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// A multi-select list box: items in order, each selected or not. Items are
// matched exactly but without regard to letter case.
class SelectionList {
 public:
  int Size() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  const std::vector<std::string>& Items() const { return items_; }
  const std::string& Item(int index) const { return items_[static_cast<std::size_t>(index)]; }

  bool IsSelected(int index) const { return selected_[static_cast<std::size_t>(index)]; }
  void SetSelected(int index, bool selected) {
    selected_[static_cast<std::size_t>(index)] = selected;
  }
  bool AnySelected() const;
  // Each item's selection, in order.
  std::vector<bool> Selections() const { return selected_; }
  void SelectAll();
  void SelectNone();

  // Index of the item that matches text, or -1.
  int Find(std::string_view text) const;
  bool Contains(std::string_view text) const { return Find(text) >= 0; }
  // True when text matches an item that is selected.
  bool IsSelectedItem(std::string_view text) const;

  void Clear();
  void Append(std::string_view item);
  void InsertFirst(std::string_view item) { Insert(0, item, false); }
  // At index (at the end when beyond it).
  void Insert(int index, std::string_view item, bool selected);
  void RemoveAt(int index);

 private:
  void Reindex();

  std::vector<std::string> items_;
  std::vector<bool> selected_;
  std::unordered_map<std::string, int, CaseInsensitiveHash, CaseInsensitiveEqual> index_;
};

}  // namespace quillfen
