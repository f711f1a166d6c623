#include "views/display_list.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace quillfen {

void DisplayList::Fill(int left, int top, int right, int bottom, Rgb colour) {
  items.emplace_back(FillItem{std::min(left, right), std::min(top, bottom), std::max(left, right),
                              std::max(top, bottom), colour});
}

void DisplayList::Line(int x1, int y1, int x2, int y2, Rgb colour) {
  items.emplace_back(LineItem{x1, y1, x2, y2, colour});
}

void DisplayList::Text(int x, int y, Rgb colour, std::string_view fontFamily, int pointSize,
                       std::string text) {
  auto font = std::find(strings.begin(), strings.end(), fontFamily);
  if (font == strings.end()) font = strings.insert(strings.end(), std::string(fontFamily));
  const auto fontIndex = static_cast<std::uint32_t>(font - strings.begin());
  strings.push_back(std::move(text));
  items.emplace_back(TextItem{x, y, colour,
                              static_cast<std::uint8_t>(std::clamp(pointSize, 1, 255)), fontIndex,
                              static_cast<std::uint32_t>(strings.size() - 1)});
}

namespace {

std::string Hex(Rgb c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c.r, c.g, c.b);
  return buffer;
}

struct ItemText {
  const DisplayList& list;

  std::string operator()(const FillItem& f) const {
    return "fill " + std::to_string(f.left) + " " + std::to_string(f.top) + " " +
           std::to_string(f.right) + " " + std::to_string(f.bottom) + " " + Hex(f.colour);
  }
  std::string operator()(const LineItem& l) const {
    return "line " + std::to_string(l.x1) + " " + std::to_string(l.y1) + " " +
           std::to_string(l.x2) + " " + std::to_string(l.y2) + " " + Hex(l.colour);
  }
  std::string operator()(const TextItem& t) const {
    std::string family(list.FontFamily(t));
    std::replace(family.begin(), family.end(), ' ', '_');
    return "text " + std::to_string(t.x) + " " + std::to_string(t.y) + " " + Hex(t.colour) + " " +
           family + " " + std::to_string(t.pointSize) + " \"" + std::string(list.TextOf(t)) + "\"";
  }
};

}  // namespace

std::string DisplayListText(const DisplayList& list) {
  std::string text =
      "canvas " + std::to_string(list.width) + " " + std::to_string(list.height) + "\n";
  for (const DisplayItem& item : list.items) {
    text += std::visit(ItemText{list}, item);
    text += '\n';
  }
  return text;
}

}  // namespace quillfen
