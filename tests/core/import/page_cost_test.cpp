#include "import/page_cost.h"

#include <gtest/gtest.h>

#include <random>

#include "import_test_support.h"

namespace quillfen {
namespace {

TEST(CountPageShape, CountsCellTagsInAnyCase) {
  const std::string_view page =
      "<TABLE><tr align=right><TD>1</td><th\n>a</th><td/></tr>"
      "<TR><td>2</td></TR><tbody><thead><trx><tdd><t";
  const PageShape shape = CountPageShape(page);
  EXPECT_EQ(shape.cells, 4);
  EXPECT_EQ(shape.bytes, static_cast<std::int64_t>(page.size()));
  EXPECT_EQ(CountPageShape("").cells, 0);
}

// The file is read in pieces of a megabyte: tags cut by a piece's end are
// counted once, as in the whole page.
TEST(ReadPageShape, EqualsTheWholePageCountAcrossPieceEnds) {
  TempDir dir;
  std::mt19937 random(22);
  const char* parts[] = {"<tr>", "<td>", "<TH ", "x", "<t", "d>", "\n", "<tr", ">", "<"};
  for (int page = 0; page < 4; ++page) {
    std::string text;
    const std::size_t size = (std::size_t{1} << 20) * (page + 1) + page * 7;
    while (text.size() < size)
      text += parts[std::uniform_int_distribution<int>(0, std::size(parts) - 1)(random)];
    const std::optional<PageShape> read = ReadPageShape(dir.Write("page.htm", text));
    ASSERT_TRUE(read);
    const PageShape whole = CountPageShape(text);
    EXPECT_EQ(read->cells, whole.cells) << page;
    EXPECT_EQ(read->bytes, whole.bytes) << page;
  }
  EXPECT_FALSE(ReadPageShape(dir.File("missing.htm")));
}

// A statement shows by itself; a page of the same bytes in many small cells,
// as a crafted page is, does not: the renderer pays by the cell.
TEST(ShowsPageByItself, JudgesByCellsMoreThanBytes) {
  const auto page = [](std::int64_t bytes, std::int64_t cellBytes) {
    const std::int64_t cells = bytes / cellBytes;
    return PageShape{bytes, cells};
  };
  // A statement writes about 35 bytes a cell.
  EXPECT_TRUE(ShowsPageByItself(page(2'000'000, 36)));
  EXPECT_FALSE(ShowsPageByItself(page(7'800'000, 35)));
  EXPECT_FALSE(ShowsPageByItself(page(4'000'000, 10)));
  EXPECT_TRUE(ShowsPageByItself(page(6'000'000, 6'000'000)));  // one big cell of text
  EXPECT_FALSE(ShowsPageByItself(PageShape{100LL << 20, 0}));
  EXPECT_LT(PageViewerMegabytes(page(7'800'000, 35)), PageViewerMegabytes(page(7'800'000, 10)));
}

}  // namespace
}  // namespace quillfen
