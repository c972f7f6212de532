#include "platform/code_page_1252.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(CodePage1252, EveryByteRoundTripsThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  bool lossless = false;
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all), '?', &lossless), all);
  EXPECT_TRUE(lossless);
}

TEST(CodePage1252, MapsTheTypographicBytesAndKeepsTheUndefinedOnes) {
  struct Case {
    unsigned char byte;
    char32_t codePoint;
  };
  const Case cases[] = {{0x80, U'\u20AC'}, {0x91, U'\u2018'}, {0x93, U'\u201C'}, {0x96, U'\u2013'},
                        {0x97, U'\u2014'}, {0x9F, U'\u0178'}, {0x81, 0x81},      {0x8D, 0x8D},
                        {0x8F, 0x8F},      {0x90, 0x90},      {0x9D, 0x9D},      {0xE9, U'é'}};
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUnicode(c.byte), c.codePoint) << int(c.byte);
    EXPECT_EQ(UnicodeToCp1252(c.codePoint), c.byte) << int(c.byte);
  }
}

TEST(CodePage1252, RefusesWhatItCannotHold) {
  struct Case {
    const char* utf8;
    const char* bytes;
  };
  const Case cases[] = {
      {"\xE2\x82\xAC 5", "\x80 5"},  // euro sign
      {"\xE4\xB8\xAD", "?"},         // a CJK character
      {"\xF0\x9F\x98\x80x", "?x"},   // outside the BMP
      {"\x80", "?"},                 // a stray continuation byte
      {"\xC3", "?"},                 // cut short
      {"\xC0\xAF", "??"},            // overlong
      {"\xED\xA0\x80", "?"},         // a surrogate
      {"\xC2\x80", "?"},             // U+0080 is not in the code page
  };
  for (const Case& c : cases) {
    bool lossless = true;
    EXPECT_EQ(Utf8ToCp1252(c.utf8, '?', &lossless), c.bytes) << c.utf8;
    EXPECT_EQ(lossless, std::string(c.bytes) == "\x80 5") << c.utf8;
  }
}

}  // namespace
}  // namespace tarvex
