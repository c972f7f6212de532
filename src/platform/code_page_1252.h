// Windows code page 1252, the code page policy sources are written in.
//
// Every byte maps to one Unicode code point and back, so a source decoded
// and encoded again is unchanged byte for byte. Bytes 0x00-0x7F and 0xA0-0xFF
// are their own code points; 0x80-0x9F are the code page's typographic
// characters (euro sign, curly quotes, dashes...). The five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control
// of the same value, as Windows itself converts them.
#ifndef TARVEX_PLATFORM_CODE_PAGE_1252_H_
#define TARVEX_PLATFORM_CODE_PAGE_1252_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// The code point of one byte.
char32_t Cp1252ToUnicode(unsigned char byte);

// The byte of a code point, or nothing when the code page cannot hold it.
std::optional<unsigned char> UnicodeToCp1252(char32_t codePoint);

// A byte string as UTF-8, every byte decoded.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 text as bytes of the code page. Characters the code page cannot
// hold, and malformed UTF-8, are replaced by `replacement`; `lossless`, when
// given, says whether none was replaced.
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?', bool* lossless = nullptr);

// How many UTF-16 code units the character of `byte` takes: always 1, since
// every character of the code page lies in the Basic Multilingual Plane.
// Kept as a function so that column conversions say what they rely on.
constexpr int Utf16UnitsOfCp1252Byte(unsigned char) {
  return 1;
}

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_CODE_PAGE_1252_H_
