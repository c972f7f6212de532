// What a dictionary row asks of a value, read once from its fields: the
// value type (its `type` text compared whole with "string", "bool" and
// "int", ASCII case ignored) and, for an integer keyword, the bounds as
// numbers. The checker's fast form looks a row's rule up instead of
// cutting and converting the row's fields for every entry.
#ifndef TARVEX_KEYWORDS_KEYWORD_RULE_H_
#define TARVEX_KEYWORDS_KEYWORD_RULE_H_

#include <cstdint>
#include <string_view>

#include "keywords/blanks.h"
#include "keywords/folded_name.h"
#include "keywords/keyword_def.h"

namespace tarvex {

enum class ValueType : uint8_t { kOther, kString, kBool, kInt };

struct KeywordRule {
  ValueType type = ValueType::kOther;
  int32_t minimum = 0;  // for kInt: BoundValue of the row's minimum; else 0
  int32_t maximum = 0;  // for kInt: BoundValue of the row's maximum; else 0
};

// Reads a dictionary bound as a signed 32-bit number the way the C library
// reads a number: leading white space (space, \t, \n, \v, \f, \r) skipped,
// an optional sign, then the digits up to the first other character. No
// digits give 0; a number beyond 32 bits saturates at the nearest limit.
int32_t BoundValue(std::string_view text);

// The rule of a row.
KeywordRule RuleOfRow(const KeywordDef& row);

// The same for a dictionary line that is not a comment, its leading blanks
// removed, whose name (ParseKeywordLine's) is `nameSize` long: the fields
// are read where they lie, without cutting the line. Inline: a rule
// returned from a call came back through the stack in pieces, which the
// processor then waited on for every row of a loading dictionary.
inline KeywordRule RuleOfLine(std::string_view line, std::size_t nameSize) {
  // Every row is read this way when a dictionary loads: short loops over
  // the few characters of each field, no cutting of the line.
  KeywordRule rule;
  const char* p = line.data() + nameSize;
  const char* const end = line.data() + line.size();
  auto toComma = [end](const char* q) {
    while (q < end && *q != ',') ++q;
    return q;
  };
  // Past the name and the blanks after it, the first comma.
  p = toComma(p);
  if (p == end) return rule;
  const char* typeStart = p + 1;
  p = toComma(typeStart);
  const char* typeEnd = p;
  while (typeStart < typeEnd && IsBlank(*typeStart)) ++typeStart;
  while (typeEnd > typeStart && IsBlank(typeEnd[-1])) --typeEnd;
  // The three words are letters only: the field is folded as one word.
  const std::size_t size = static_cast<std::size_t>(typeEnd - typeStart);
  if (size == 0 || size > 6) return rule;
  const uint64_t folded = folded_name::FoldedLetters(typeStart, size);
  using folded_name::WordOf;
  if (size == 6 && folded == WordOf("string")) {
    rule.type = ValueType::kString;
  } else if (size == 4 && folded == WordOf("bool")) {
    rule.type = ValueType::kBool;
  } else if (size == 3 && folded == WordOf("int")) {
    rule.type = ValueType::kInt;
    // A bound is read from the start of its field; reading stops at the
    // first character that is not a digit, so the field's end needs no
    // finding.
    if (p < end) {
      rule.minimum = BoundValue(std::string_view(p + 1, end - p - 1));
      p = toComma(p + 1);
      if (p < end) rule.maximum = BoundValue(std::string_view(p + 1, end - p - 1));
    }
  }
  return rule;
}

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_KEYWORD_RULE_H_
