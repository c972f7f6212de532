#include "keywords/keyword_rule.h"

#include <limits>

#include "keywords/ascii_case.h"

namespace tarvex {

int32_t BoundValue(std::string_view text) {
  auto whiteSpace = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  };
  std::size_t pos = 0;
  while (pos < text.size() && whiteSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // The magnitude stops growing once it is past every 32-bit value.
  constexpr int64_t kPast = int64_t{1} << 32;
  int64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const unsigned digit = static_cast<unsigned char>(text[pos]) - unsigned{'0'};
    if (digit > 9) break;
    if (magnitude < kPast) magnitude = magnitude * 10 + digit;
  }
  const int64_t v = negative ? -magnitude : magnitude;
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

KeywordRule RuleOfRow(const KeywordDef& row) {
  KeywordRule rule;
  if (EqualsIgnoreAsciiCase(row.type, "string")) {
    rule.type = ValueType::kString;
  } else if (EqualsIgnoreAsciiCase(row.type, "bool")) {
    rule.type = ValueType::kBool;
  } else if (EqualsIgnoreAsciiCase(row.type, "int")) {
    rule.type = ValueType::kInt;
  }
  if (rule.type == ValueType::kInt) {
    rule.minimum = BoundValue(row.minimum);
    rule.maximum = BoundValue(row.maximum);
  }
  return rule;
}

}  // namespace tarvex
