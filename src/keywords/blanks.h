// The blank set and the two blank-stripping helpers shared by the keyword
// loader, the source checker and the policy writer.
//
// The blank set is exactly space, tab, line feed and carriage return; other
// control characters (vertical tab, form feed, NUL) are text.
#ifndef TARVEX_KEYWORDS_BLANKS_H_
#define TARVEX_KEYWORDS_BLANKS_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

inline constexpr std::string_view kBlanks = " \t\n\r";

inline bool IsBlank(char c) {
  // One test of a bit: every line's ends are trimmed with it.
  constexpr uint64_t kSet =
      uint64_t{1} << ' ' | uint64_t{1} << '\t' | uint64_t{1} << '\n' | uint64_t{1} << '\r';
  const auto u = static_cast<unsigned char>(c);
  return u <= ' ' && ((kSet >> u) & 1) != 0;
}

// StripLeadingBlanks and StripBlanks as views into `text`, for the loops
// that run over every line: no copy, and blank tests written out, since
// find_first_not_of searches the blank set once per character.
inline std::string_view LeadingBlanksSkipped(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  return text.substr(first);
}

inline std::string_view BlanksTrimmed(std::string_view text) {
  text = LeadingBlanksSkipped(text);
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

// `text` from its first character outside the blank set to its end; empty
// when there is none.
std::string StripLeadingBlanks(std::string_view text);

// `text` from its first to its last character outside the blank set; empty
// when there is none. "Trimming" a text means this.
std::string StripBlanks(std::string_view text);

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_BLANKS_H_
