#include <gtest/gtest.h>

#include "core/support/grid_report.h"
#include "core/support/jpeg_decode.h"
#include "core/support/temp_dir.h"
#include "display_list_painter.h"
#include "export/html_export.h"
#include "report_parts.h"
#include "views/balance_chart.h"

namespace quillfen {
namespace {

using testing::GridReport;
using testing::GridTrade;

Report DrawdownReport() {
  std::vector<GridTrade> trades;
  for (int r = 1; r <= 12; ++r) {
    GridTrade t;
    t.ticket = std::to_string(r);
    t.profit = r <= 4 ? "50.00" : r <= 9 ? "-45.00" : "80.00";
    t.marker = r >= 5 && r <= 9 ? "*" : "";
    trades.push_back(t);
  }
  return GridReport(trades, 1000);
}

const std::uint8_t* Pixel(const RgbImage& image, int x, int y) {
  return image.pixels.data() + (static_cast<std::size_t>(y) * image.width + x) * 3;
}

TEST(ExportPicture, JpegBesideThePageShowsTheRenderedChart) {
  const Report report = DrawdownReport();
  testing::TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteHtmlFiles(PageSourceOf(report), 1000, {dir / "report.html", "t", true},
                             RenderRgbImage, &error))
      << error;
  const RgbImage jpeg = testing::DecodeJpeg(testing::ReadFile(dir / "report.jpg"));
  ASSERT_EQ(jpeg.width, 700);
  ASSERT_EQ(jpeg.height, 241);

  const DisplayList list =
      PaintBalanceChart(report, report.stats.initialDeposit, 700, 241, ChartSurface::reportPicture);
  const RgbImage rendered = RenderRgbImage(list);
  long difference = 0;
  for (std::size_t i = 0; i < rendered.pixels.size(); ++i)
    difference += std::abs(int{rendered.pixels[i]} - int{jpeg.pixels[i]});
  EXPECT_LT(static_cast<double>(difference) / rendered.pixels.size(), 1.0);

  const std::uint8_t* background = Pixel(jpeg, 350, 60);
  EXPECT_GT(background[0], 245);
  EXPECT_GT(background[1], 245);
  EXPECT_GT(background[2], 245);

  // The segment that ends at row 7 is red: its middle pixel in the picture too.
  int red = 0;
  for (const DisplayItem& item : list.items)
    if (auto* line = std::get_if<LineItem>(&item); line && line->colour == Rgb{224, 0, 0}) {
      ++red;
      const int x = (line->x1 + line->x2) / 2;
      int y = -1;
      for (int row = 0; row < 241 && y < 0; ++row)
        if (Pixel(rendered, x, row)[0] == 224 && Pixel(rendered, x, row)[1] == 0) y = row;
      ASSERT_GE(y, 0) << "segment at x " << x;
      const std::uint8_t* p = Pixel(jpeg, x, y);
      EXPECT_GT(p[0], 150) << x << "," << y;
      EXPECT_LT(p[1], 90) << x << "," << y;
      EXPECT_LT(p[2], 90) << x << "," << y;
    }
  EXPECT_EQ(red, 5);
}

}  // namespace
}  // namespace quillfen
