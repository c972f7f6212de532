#include "lsp/document.h"

#include <gtest/gtest.h>

namespace tarvex::lsp {
namespace {

TEST(Document, BytesAreCodePage1252OneByteACharacter) {
  EXPECT_EQ(Document("Caf\xC3\xA9 \xE2\x82\xAC").bytes(), "Caf\xE9 \x80");
  // Outside the code page: one "?" per character, whatever its UTF-8 length.
  EXPECT_EQ(Document("a\xF0\x9F\x98\x80"
                     "b\xE4\xB8\xAD")
                .bytes(),
            "a?b?");
}

TEST(Document, PositionsCountUtf16UnitsBothWays) {
  // Line 1 holds an astral character (two units) before "x".
  const Document d("ab\r\n\xF0\x9F\x98\x80x = 1\rlast\nend");
  struct Case {
    std::size_t offset;
    Position position;
  };
  const std::vector<Case> cases = {
      {0, {0, 0}},  {2, {0, 2}},  {4, {1, 0}},  {5, {1, 2}},  {6, {1, 3}},
      {10, {1, 7}}, {11, {2, 0}}, {16, {3, 0}}, {19, {3, 3}},
  };
  for (const Case& c : cases) {
    const Position p = d.PositionOf(c.offset);
    EXPECT_EQ(p.line, c.position.line) << c.offset;
    EXPECT_EQ(p.character, c.position.character) << c.offset;
    EXPECT_EQ(d.OffsetOf(c.position), c.offset) << c.offset;
  }
  // Past a line's end, past the last line, and inside a surrogate pair.
  EXPECT_EQ(d.OffsetOf({0, 99}), 2u);
  EXPECT_EQ(d.OffsetOf({99, 0}), d.bytes().size());
  EXPECT_EQ(d.OffsetOf({1, 1}), 5u);
}

}  // namespace
}  // namespace tarvex::lsp
