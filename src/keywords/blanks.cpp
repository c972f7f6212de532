#include "keywords/blanks.h"

namespace tarvex {

std::string StripLeadingBlanks(std::string_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::string();
  return std::string(text.substr(first));
}

std::string StripBlanks(std::string_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::string();
  std::size_t last = text.find_last_not_of(kBlanks);
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace tarvex
