#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillfen {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// Covers the pixels left <= x < right, top <= y < bottom (left <= right, top <= bottom).
struct FillItem {
  int left, top, right, bottom;
  Rgb colour;
};

// A one-pixel pen line from (x1, y1) towards (x2, y2); the end pixel itself is
// not drawn, so a polyline's joints are drawn once, by the segment that starts there.
struct LineItem {
  int x1, y1, x2, y2;
  Rgb colour;
};

// Text whose character cell starts at (x, y), its top-left corner. Its font
// family and its characters are kept in the list's strings, so that items stay
// small: a chart of 100,000 trades holds 100,000 lines.
struct TextItem {
  int x, y;
  Rgb colour;
  std::uint8_t pointSize;
  std::uint32_t fontFamily;
  std::uint32_t text;
};

using DisplayItem = std::variant<FillItem, LineItem, TextItem>;

// What a chart paints on a canvas, in painting order, in integer pixels.
struct DisplayList {
  DisplayList() = default;
  DisplayList(int canvasWidth, int canvasHeight) : width(canvasWidth), height(canvasHeight) {}

  int width = 0;
  int height = 0;
  std::vector<DisplayItem> items;
  std::vector<std::string> strings;

  void Fill(int left, int top, int right, int bottom, Rgb colour);
  void Line(int x1, int y1, int x2, int y2, Rgb colour);
  void Text(int x, int y, Rgb colour, std::string_view fontFamily, int pointSize, std::string text);

  std::string_view FontFamily(const TextItem& item) const { return strings[item.fontFamily]; }
  std::string_view TextOf(const TextItem& item) const { return strings[item.text]; }
};

// One line per item ("fill 2 2 697 239 #FFFFFF", "text 4 5 #808080 Terminal 6 \"    5000\""),
// after a "canvas W H" line; the form of the golden files.
std::string DisplayListText(const DisplayList& list);

}  // namespace quillfen
