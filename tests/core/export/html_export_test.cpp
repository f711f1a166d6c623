#include "export/html_export.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "../support/file_size_limit.h"
#include "../support/grid_report.h"
#include "../support/jpeg_decode.h"
#include "../support/temp_dir.h"
#include "report_parts.h"
#include "views/balance_chart.h"

namespace quillfen {
namespace {

using testing::GridReport;
using testing::GridTrade;
using testing::ReadFile;
using testing::TempDir;

TEST(HtmlExport, PictureFileNames) {
  struct Case {
    const char* page;
    const char* picture;
  };
  const Case cases[] = {
      {"/r/report.htm", "/r/report.jpg"},
      {"/r/report.html", "/r/report.jpg"},
      {"report.htm.bak", "report.jpg"},
      {"/r/report.HTM", "/r/report.jpg"},  // the search is case-sensitive
      {"/r/report.txt", "/r/report.jpg"},
      {"/r/report", "/r/report.jpg"},
      {"/r/report.jpg", "/r/report.jpg.jpg"},  // never the page's own name
      {"/r.htm/report", "/r.htm/report.jpg"},  // folders play no part
      {"/r/a.b.c", "/r/a.b.jpg"},
      {"/r/.hidden", "/r/.hidden.jpg"},
      {"a<b>.htm", "a<b>.jpg"},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureFileName(c.page), c.picture) << c.page;
}

RgbImage Blank(const DisplayList& list) {
  return RgbImage{
      list.width, list.height,
      std::vector<std::uint8_t>(static_cast<std::size_t>(list.width) * list.height * 3, 255)};
}

TEST(HtmlExport, DetailedPageWritesThePictureBesideIt) {
  TempDir dir;
  std::vector<GridTrade> trades(3);
  trades[1].magic = "5";
  Report report = GridReport(trades, 1000);
  int rendered = 0;
  auto renderer = [&](const DisplayList& list) {
    ++rendered;
    EXPECT_EQ(list.width, 700);
    EXPECT_EQ(list.height, 241);
    EXPECT_EQ(std::get<FillItem>(list.items[0]).colour, (Rgb{255, 255, 255}));
    return Blank(list);
  };
  std::string error;
  ASSERT_TRUE(WriteHtmlFiles(PageSourceOf(report), 1000,
                             {dir / "a<b>.htm", "Quillfen 4.0 - a<b>.htm", true}, renderer, &error))
      << error;
  EXPECT_EQ(rendered, 1);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a<b>.htm", "a<b>.jpg"}));
  const std::string page = ReadFile(dir / "a<b>.htm");
  EXPECT_NE(page.find("<title>Quillfen 4.0 - a&lt;b&gt;.htm</title>"), std::string::npos);
  EXPECT_NE(page.find("<img src=a%3Cb%3E.jpg>"), std::string::npos);
  EXPECT_NE(page.find("<td colspan=9></td><td>5</td>"), std::string::npos);
  const RgbImage picture = testing::DecodeJpeg(ReadFile(dir / "a<b>.jpg"));
  EXPECT_EQ(picture.width, 700);
  EXPECT_EQ(picture.height, 241);
}

TEST(HtmlExport, PlainPageNeedsNoRenderer) {
  TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteHtmlFiles(PageSourceOf(GridReport({GridTrade{}}, 1000)), 1000,
                             {dir / "plain.htm", "t", false}, nullptr, &error))
      << error;
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"plain.htm"});
  EXPECT_EQ(ReadFile(dir / "plain.htm").find("<img"), std::string::npos);
}

TEST(HtmlExport, UnwritablePagesWriteNothing) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder.htm");
  testing::WriteFile(dir / "old.htm", "old");
  ::chmod((dir / "old.htm").c_str(), 0444);
  const std::vector<std::string> before = dir.Names();
  auto renderer = [](const DisplayList& list) { return Blank(list); };
  for (std::string target : {dir / "missing/r.htm", dir / "folder.htm", dir / "old.htm"}) {
    std::string error;
    EXPECT_FALSE(WriteHtmlFiles(PageSourceOf(GridReport({GridTrade{}}, 1000)), 1000,
                                {target, "t", true}, renderer, &error))
        << target;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(dir.Names(), before);
  EXPECT_EQ(ReadFile(dir / "old.htm"), "old");
}

TEST(HtmlExport, DetailedPageFailsCleanlyWithoutPicture) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(WriteHtmlFiles(PageSourceOf(GridReport({GridTrade{}}, 1000)), 1000,
                              {dir / "r.htm", "t", true}, nullptr, &error));
  EXPECT_FALSE(WriteHtmlFiles(
      PageSourceOf(GridReport({GridTrade{}}, 1000)), 1000, {dir / "r.htm", "t", true},
      [](const DisplayList&) { return RgbImage{}; }, &error));
  EXPECT_TRUE(dir.Names().empty());
}

RgbImage Noise(const DisplayList& list) {
  RgbImage image = Blank(list);
  std::uint32_t state = 1;
  for (std::uint8_t& byte : image.pixels) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(state >> 24);
  }
  return image;
}

// Whichever of the two files does not fit, the old page and the old picture
// both stay as they were, and nothing else is left beside them.
TEST(HtmlExport, DetailedPageAndPictureGoInTogetherOrNotAtAll) {
  const Report report = GridReport(std::vector<GridTrade>(40), 1000);
  const struct {
    const char* name;
    ChartRenderer renderer;
    bool pageIsLarger;
  } cases[] = {{"the page does not fit", Blank, true}, {"the picture does not fit", Noise, false}};
  for (const auto& c : cases) {
    TempDir written;
    std::string error;
    ASSERT_TRUE(WriteHtmlFiles(PageSourceOf(report), 1000, {written / "r.htm", "t", true},
                               c.renderer, &error))
        << error;
    const std::size_t pageSize = ReadFile(written / "r.htm").size();
    const std::size_t pictureSize = ReadFile(written / "r.jpg").size();
    ASSERT_EQ(pageSize > pictureSize, c.pageIsLarger) << c.name;

    TempDir dir;
    testing::WriteFile(dir / "r.htm", "old page");
    testing::WriteFile(dir / "r.jpg", "old picture");
    {
      testing::FileSizeLimit limit(std::min(pageSize, pictureSize));
      EXPECT_FALSE(WriteHtmlFiles(PageSourceOf(report), 1000, {dir / "r.htm", "t", true},
                                  c.renderer, &error))
          << c.name;
    }
    EXPECT_NE(error.find("too large"), std::string::npos) << c.name << ": " << error;
    // Compared whole but not printed: a new picture would fill the screen.
    EXPECT_TRUE(ReadFile(dir / "r.htm") == "old page") << c.name << ": the page was replaced";
    EXPECT_TRUE(ReadFile(dir / "r.jpg") == "old picture") << c.name << ": the picture was replaced";
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"r.htm", "r.jpg"})) << c.name;
  }
}

}  // namespace
}  // namespace quillfen
