// The value checks: whether one entry's keyword is in the dictionary and
// its value suits the keyword's type.
//
// Types are "string" (any value), "bool" ("true" or "false") and "int" (an
// integer text within the row's minimum and maximum), compared whole with
// ASCII case ignored; any other type fails every entry. The checks run in
// a fixed order, which decides the fault when several apply: blank
// keyword, unknown keyword, type, continuation, form, range.
#ifndef TARVEX_CHECKER_ENTRY_CHECK_H_
#define TARVEX_CHECKER_ENTRY_CHECK_H_

#include <cstdint>
#include <string_view>

#include "checker/check_result.h"
#include "keywords/keyword_rule.h"
#include "keywords/keyword_table.h"

namespace tarvex {

// Whether `text` is an integer text: a digit, "+" or "-", then digits only.
// A lone "+" or "-" is one (and counts as 0).
bool IsIntegerText(std::string_view text);

// The value of an integer text, or false when it does not fit in 32 bits.
bool IntegerValue(std::string_view integerText, int32_t* value);

// Checks one entry against `table`. `keyword` and `value` are trimmed;
// `continued` says whether the entry took more than one line.
CheckResult CheckEntry(const KeywordTable& table, std::string_view keyword, std::string_view value,
                       bool continued);

// The same check once the keyword's row is found, from the row's rule: the
// result CheckEntry gives for a keyword that is not blank and has a row.
CheckResult CheckValue(const KeywordRule& rule, std::string_view value, bool continued);

// The same check against the process-wide table.
CheckResult CheckEntry(std::string_view keyword, std::string_view value, bool continued);

}  // namespace tarvex

#endif  // TARVEX_CHECKER_ENTRY_CHECK_H_
