#include "keywords/blanks.h"

namespace tarvex {

// The blank tests are written out: find_first_not_of would search the
// blank set once per character, and every line of every file comes here.
std::string StripLeadingBlanks(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  return std::string(text.substr(first));
}

std::string StripBlanks(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  std::size_t end = text.size();
  while (end > first && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(first, end - first));
}

}  // namespace tarvex
