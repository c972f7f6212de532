// What a dictionary row asks of a value, read once from its fields: the
// value type (its `type` text compared whole with "string", "bool" and
// "int", ASCII case ignored) and, for an integer keyword, the bounds as
// numbers. The checker's fast form looks a row's rule up instead of
// cutting and converting the row's fields for every entry.
#ifndef TARVEX_KEYWORDS_KEYWORD_RULE_H_
#define TARVEX_KEYWORDS_KEYWORD_RULE_H_

#include <cstdint>
#include <string_view>

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
// are read where they lie, without cutting the line.
KeywordRule RuleOfLine(std::string_view line, std::size_t nameSize);

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_KEYWORD_RULE_H_
