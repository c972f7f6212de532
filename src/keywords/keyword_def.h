// One row of the keyword dictionary.
#ifndef TARVEX_KEYWORDS_KEYWORD_DEF_H_
#define TARVEX_KEYWORDS_KEYWORD_DEF_H_

#include <string_view>

namespace tarvex {

// The four fields of a `keyword.txt` line, as they stand once their blanks
// are stripped: no case folding, no number conversion, no check of `type`.
// Any field may be empty.
//
// The fields view bytes owned elsewhere: a row found in a KeywordTable
// lives as long as the table's rows (until Clear or destruction); a row
// parsed from a line lives as long as that line. A table copies the bytes
// of every row appended to it, so a dictionary loads without an
// allocation per row.
struct KeywordDef {
  std::string_view name;     // the keyword as a source writes it left of "="
  std::string_view type;     // "int", "bool" or "string" in any case; other text is kept
  std::string_view minimum;  // an "int" keyword's smallest value, as text
  std::string_view maximum;  // an "int" keyword's largest value, as text

  friend bool operator==(const KeywordDef&, const KeywordDef&) = default;
};

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_KEYWORD_DEF_H_
