#include "keywords/keyword_rule.h"

#include <limits>

#include "keywords/ascii_case.h"
#include "keywords/blanks.h"
#include "keywords/folded_name.h"

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

KeywordRule RuleOfLine(std::string_view line, std::size_t nameSize) {
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
