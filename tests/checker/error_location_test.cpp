#include <gtest/gtest.h>

#include "checker/error_location.h"
#include "commands/main_frame_logic.h"
#include "platform/fake_window_system.h"
#include "support/param_name.h"

namespace tarvex {
namespace {

struct Case {
  const char* name;
  std::string editor;
  std::string text;
  int line;
  SelectKind kind;
  std::size_t start, end;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class FindErrorSelectionTest : public ::testing::TestWithParam<Case> {};

TEST_P(FindErrorSelectionTest, SelectsTheOffendingText) {
  const Case& c = GetParam();
  const ErrorSelection sel = FindErrorSelection(c.editor, c.text, c.line, c.kind);
  EXPECT_EQ(sel.start, c.start) << c.name;
  EXPECT_EQ(sel.end, c.end) << c.name;
}

using K = SelectKind;
INSTANTIATE_TEST_SUITE_P(
    Cases, FindErrorSelectionTest,
    ::testing::Values(
        Case{"first line", "Timeout 30\r\nB = 1", "Timeout 30", 1, K::LineText, 0, 10},
        Case{"third line after an empty one", "Alpha = 1\r\n\r\n  Beta = x", "Beta", 3, K::Keyword,
             15, 19},
        Case{"value searched from the equals sign", "Port5 = 5\r\n", "5", 1, K::Value, 8, 9},
        Case{"backslash selects the whole line", "A = x\r\nS = one \\\r\n two\r\n", "one \\\r two",
             2, K::Value, 7, 16},
        Case{"backslash inside a value", "K = a\\b\r\n", "a\\b", 1, K::Value, 0, 7},
        Case{"last line without a line end", "A = 1\r\nB = zz", "zz", 2, K::Value, 11, 13},
        Case{"attribute searched back from the equals sign", "Key{policy}x = 1", "policy}x", 1,
             K::Attribute, 4, 12},
        Case{"attribute: the last occurrence before the equals sign", "ab{ab} = ab", "ab", 1,
             K::Attribute, 3, 5},
        Case{"attribute on a line without equals: searched from the end", "ab ab", "ab", 1,
             K::Attribute, 3, 5},
        Case{"not found: from the line start, as long as the text", "= 5\r\nX = 1", "= 5\n", 1,
             K::Value, 0, 4},
        Case{"value on a line without equals is not found", "abc\r\n", "b", 1, K::Value, 0, 1},
        Case{"bare line feeds count as line ends", "A = 1\nB = 2\nC = x\n", "x", 3, K::Value, 16,
             17},
        Case{"lone carriage return stays inside the line", "A = 1\rB = x\r\n", "x", 1, K::Value, 10,
             11},
        Case{"a line beyond the last selects nothing at the end", "A = 1\r\n", "x", 5, K::Value, 7,
             7},
        Case{"the empty line after a final line end exists", "A = 1\r\n", "zz", 2, K::LineText, 7,
             7}),
    testing::CaseName());

TEST(LocateError, SelectsThroughTheWindowSystem) {
  FakeWindowSystem ws;
  ws.viewText = "Alpha = 1\r\n\r\n  Beta = x";
  MainFrameLogic frame(ws);
  frame.LocateError("Beta", 3, SelectKind::Keyword);
  ASSERT_EQ(ws.selections.size(), 1u);
  EXPECT_EQ(ws.selections[0], (std::pair<std::size_t, std::size_t>{15, 19}));
  EXPECT_TRUE(ws.boxes.empty());
}

}  // namespace
}  // namespace tarvex
