#include "display_list_painter.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace quillfen {
namespace {

constexpr Rgb kInk{10, 20, 30};

bool Inked(const QImage& image, int x, int y) {
  return image.pixel(x, y) == qRgb(10, 20, 30);
}

TEST(DisplayListPainter, LinesLeaveOutTheirEndPixel) {
  struct Case {
    LineItem line;
    std::vector<QPoint> drawn, notDrawn;
  };
  const Case cases[] = {
      {{2, 5, 10, 5, kInk}, {{2, 5}, {9, 5}}, {{10, 5}, {1, 5}}},
      {{10, 5, 2, 5, kInk}, {{10, 5}, {3, 5}}, {{2, 5}}},
      {{4, 1, 4, 12, kInk}, {{4, 1}, {4, 11}}, {{4, 12}}},
      {{4, 12, 4, 1, kInk}, {{4, 12}, {4, 2}}, {{4, 1}}},
      {{1, 1, 11, 11, kInk}, {{1, 1}, {6, 6}, {10, 10}}, {{11, 11}}},
  };
  for (const Case& c : cases) {
    DisplayList list(16, 16);
    list.items.emplace_back(c.line);
    QImage image = RenderDisplayList(list);
    for (QPoint p : c.drawn) EXPECT_TRUE(Inked(image, p.x(), p.y())) << p.x() << "," << p.y();
    for (QPoint p : c.notDrawn) EXPECT_FALSE(Inked(image, p.x(), p.y())) << p.x() << "," << p.y();
  }
}

TEST(DisplayListPainter, FillsCoverLeftAndTopButNotRightAndBottom) {
  DisplayList list(10, 10);
  list.Fill(2, 3, 6, 8, kInk);
  QImage image = RenderDisplayList(list);
  int inked = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) inked += Inked(image, x, y);
  EXPECT_EQ(inked, 4 * 5);
  EXPECT_TRUE(Inked(image, 2, 3));
  EXPECT_TRUE(Inked(image, 5, 7));
}

TEST(DisplayListPainter, ChartFontsAreTheLiberationFontsAtCanvasPixels) {
  const QFont label = DisplayFont("Terminal", 6);
  EXPECT_EQ(label.pixelSize(), 8);
  EXPECT_EQ(QFontInfo(label).family().toStdString(), "Liberation Mono");
  const QFont dayName = DisplayFont("MS Sans Serif", 8);
  EXPECT_EQ(dayName.pixelSize(), 11);
  EXPECT_EQ(QFontInfo(dayName).family().toStdString(), "Liberation Sans");
}

TEST(DisplayListPainter, TextHangsBelowItsPosition) {
  DisplayList list(120, 40);
  list.Fill(0, 0, 120, 40, Rgb{255, 255, 255});
  list.Text(10, 20, Rgb{0, 0, 0}, "Terminal", 6, "    5000");
  QImage image = RenderDisplayList(list);
  int top = 40, bottom = -1, left = 120;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        left = std::min(left, x);
      }
  EXPECT_GE(top, 20);
  EXPECT_LT(bottom, 20 + 12);
  EXPECT_GT(left, 10 + 3 * 4) << "four leading blanks of a monospaced font";
}

TEST(DisplayListPainter, RgbImageKeepsPixelOrder) {
  DisplayList list(3, 2);
  list.Fill(0, 0, 3, 2, Rgb{255, 255, 255});
  list.Fill(2, 1, 3, 2, Rgb{224, 0, 0});
  RgbImage rgb = RenderRgbImage(list);
  ASSERT_EQ(rgb.pixels.size(), 3u * 2 * 3);
  EXPECT_EQ(rgb.pixels[0], 255);
  EXPECT_EQ(rgb.pixels[(1 * 3 + 2) * 3 + 0], 224);
  EXPECT_EQ(rgb.pixels[(1 * 3 + 2) * 3 + 1], 0);
}

}  // namespace
}  // namespace quillfen
