// One row of the keyword dictionary.
#ifndef TARVEX_KEYWORDS_KEYWORD_DEF_H_
#define TARVEX_KEYWORDS_KEYWORD_DEF_H_

#include <string>

namespace tarvex {

// The four fields of a `keyword.txt` line, stored as they stand once their
// blanks are stripped: no case folding, no number conversion, no check of
// `type`. Any field may be empty.
struct KeywordDef {
  std::string name;     // the keyword as a source writes it left of "="
  std::string type;     // "int", "bool" or "string" in any case; other text is kept
  std::string minimum;  // an "int" keyword's smallest value, as text
  std::string maximum;  // an "int" keyword's largest value, as text

  friend bool operator==(const KeywordDef&, const KeywordDef&) = default;
};

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_KEYWORD_DEF_H_
