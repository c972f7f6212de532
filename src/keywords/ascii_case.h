// Comparisons that ignore the case of ASCII letters only.
//
// Keywords, types, boolean words, attributes and extensions are compared
// this way; bytes 0x80 to 0xFF are compared as they are, whatever the
// locale, so that the result never depends on the machine.
#ifndef TARVEX_KEYWORDS_ASCII_CASE_H_
#define TARVEX_KEYWORDS_ASCII_CASE_H_

#include <string>
#include <string_view>

namespace tarvex {

inline char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Whether the two whole texts are equal with ASCII letters folded to one case.
inline bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// `text` with ASCII capitals turned into small letters.
inline std::string FoldAsciiCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = FoldAscii(c);
  return out;
}

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_ASCII_CASE_H_
