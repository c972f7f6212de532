// Printed pages: rows wrapped at the page's edge, tabs, line ends, rows a
// page, and the page geometry from the paper and the font.
#include "shell/print_layout.h"

#include <gtest/gtest.h>

namespace tarvex::shell {
namespace {

std::vector<std::string> Rows(std::string_view text, int columns) {
  const auto pages = LayOutPages(text, {columns, 1000});
  return pages.front();
}

TEST(PrintLayoutTest, LinesWrapAtTheLastBlankThatFitsElseInsideTheWord) {
  struct Case {
    const char* text;
    int columns;
    std::vector<std::string> rows;
  } cases[] = {
      {"Timeout = 30", 40, {"Timeout = 30"}}, {"aaa bbb ccc", 7, {"aaa bbb", "ccc"}},
      {"aaa bbb", 3, {"aaa", "bbb"}},         {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
      {" abcdef", 3, {" ab", "cde", "f"}},    {"", 10, {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(Rows(c.text, c.columns), c.rows) << c.text;
}

TEST(PrintLayoutTest, EveryKindOfLineEndEndsALineAndTabsGoToEightColumnStops) {
  EXPECT_EQ(Rows("a\r\nb\nc\rd\r\n", 20), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(Rows("a\r\n\r\nb", 20), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Rows("a\tb\t\tc", 40), (std::vector<std::string>{"a       b               c"}));
}

TEST(PrintLayoutTest, RowsFillAPageBeforeTheNextBegins) {
  const auto pages = LayOutPages("1\r\n2\r\n3\r\n4\r\n5", {10, 2});
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0], (PrintedPage{"1", "2"}));
  EXPECT_EQ(pages[2], (PrintedPage{"5"}));
  EXPECT_EQ(LayOutPages("", {10, 2}).size(), 1u);
}

TEST(PrintLayoutTest, GeometryTakesFifteenMillimetreMarginsOffThePaper) {
  EXPECT_EQ(PrintMarginPixels(300), 177);  // 15 mm at 300 dpi
  // A4 at 300 dpi (2480 by 3508), a 25 by 50 pixel cell.
  EXPECT_EQ(PageGeometryFor(2480, 3508, 300, 300, 25, 50), (PageGeometry{85, 63}));
  EXPECT_EQ(PageGeometryFor(100, 100, 300, 300, 25, 50), (PageGeometry{1, 1}));
}

}  // namespace
}  // namespace tarvex::shell
