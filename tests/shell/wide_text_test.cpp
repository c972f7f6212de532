// The document's bytes on a Unicode text control: one character a byte,
// NUL shown as U+2400, and what typing may not bring in.
#include "shell/wide_text.h"

#include <gtest/gtest.h>

namespace tarvex::shell {
namespace {

TEST(WideTextTest, EveryByteSurvivesTheRoundTripOneCharacterEach) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::u16string text = BytesToWideText(all);
  ASSERT_EQ(text.size(), all.size());
  EXPECT_EQ(text[0x00], kNulSymbol);
  EXPECT_EQ(text[0x80], u'\u20AC');
  EXPECT_EQ(text[0x81], u'\u0081');  // undefined in the code page: its C1 control
  EXPECT_EQ(text[0x9D], u'\u009D');
  EXPECT_EQ(text[0xE9], u'\u00E9');
  EXPECT_EQ(WideTextToBytes(text), all);
}

TEST(WideTextTest, CharactersOutsideTheCodePageAreRefusedWithTheirOffset) {
  std::size_t refused = 99;
  EXPECT_EQ(WideTextToBytes(u"ab\u4E2Dc", &refused), std::nullopt);
  EXPECT_EQ(refused, 2u);
  EXPECT_EQ(WideTextToBytes(std::u16string(1, u'\0')), std::nullopt);
}

TEST(WideTextTest, TypingMayNotBringInTheNulSymbolOrForeignCharacters) {
  EXPECT_EQ(FirstUntypable(u"caf\u00E9 \u20AC5"), std::u16string_view::npos);
  EXPECT_EQ(FirstUntypable(u"a\u2400"), 1u);
  EXPECT_EQ(FirstUntypable(u"ok\u0416"), 2u);
}

}  // namespace
}  // namespace tarvex::shell
