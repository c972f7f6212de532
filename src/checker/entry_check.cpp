#include "checker/entry_check.h"

#include <limits>
#include <optional>

#include "keywords/ascii_case.h"
#include "keywords/folded_name.h"

namespace tarvex {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Accumulates decimal digits from `pos`; false once the magnitude passes
// what a signed 32-bit number can hold (2^31, for the negative limit).
bool AccumulateDigits(std::string_view text, std::size_t pos, int64_t* magnitude) {
  constexpr int64_t kLimit = int64_t{1} << 31;
  int64_t m = 0;
  bool fits = true;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    if (m <= kLimit) m = m * 10 + (text[pos] - '0');
    if (m > kLimit) fits = false;
  }
  *magnitude = m > kLimit ? kLimit + 1 : m;
  return fits;
}

}  // namespace

bool IsIntegerText(std::string_view text) {
  if (text.empty()) return false;
  if (!IsDigit(text[0]) && text[0] != '+' && text[0] != '-') return false;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
  }
  return true;
}

bool IntegerValue(std::string_view integerText, int32_t* value) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < integerText.size() && (integerText[pos] == '+' || integerText[pos] == '-')) {
    negative = integerText[pos] == '-';
    ++pos;
  }
  int64_t magnitude = 0;
  AccumulateDigits(integerText, pos, &magnitude);
  const int64_t v = negative ? -magnitude : magnitude;
  if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min()) {
    return false;
  }
  *value = static_cast<int32_t>(v);
  return true;
}

CheckResult CheckEntry(const KeywordTable& table, std::string_view keyword, std::string_view value,
                       bool continued) {
  if (keyword.empty()) return CheckResult::BlankKeyword;
  const std::optional<KeywordDef> row = table.Find(keyword);
  if (!row) return CheckResult::UnknownKeyword;
  if (EqualsIgnoreAsciiCase(row->type, "string")) return CheckResult::Ok;
  if (EqualsIgnoreAsciiCase(row->type, "bool")) {
    if (continued) return CheckResult::ContinuationNotAllowed;
    if (EqualsIgnoreAsciiCase(value, "true") || EqualsIgnoreAsciiCase(value, "false")) {
      return CheckResult::Ok;
    }
    return CheckResult::BadBoolean;
  }
  if (EqualsIgnoreAsciiCase(row->type, "int")) {
    if (continued) return CheckResult::ContinuationNotAllowed;
    if (!IsIntegerText(value)) return CheckResult::BadInteger;
    int32_t v = 0;
    if (!IntegerValue(value, &v)) return CheckResult::OutOfRange;
    if (v < BoundValue(row->minimum) || v > BoundValue(row->maximum)) {
      return CheckResult::OutOfRange;
    }
    return CheckResult::Ok;
  }
  return CheckResult::UnsupportedType;
}

CheckResult CheckValue(const KeywordRule& rule, std::string_view value, bool continued) {
  switch (rule.type) {
    case ValueType::kString:
      return CheckResult::Ok;
    case ValueType::kBool: {
      if (continued) return CheckResult::ContinuationNotAllowed;
      // Both words are letters only: the value is folded as one word.
      using folded_name::FoldedLetters;
      using folded_name::WordOf;
      if (value.size() == 4 && FoldedLetters(value.data(), 4) == WordOf("true")) {
        return CheckResult::Ok;
      }
      if (value.size() == 5 && FoldedLetters(value.data(), 5) == WordOf("false")) {
        return CheckResult::Ok;
      }
      return CheckResult::BadBoolean;
    }
    case ValueType::kInt: {
      if (continued) return CheckResult::ContinuationNotAllowed;
      // IsIntegerText and IntegerValue in one pass.
      if (value.empty()) return CheckResult::BadInteger;
      std::size_t i = 0;
      const bool negative = value[0] == '-';
      if (negative || value[0] == '+') i = 1;
      constexpr uint64_t kPast = uint64_t{1} << 31;  // beyond it nothing fits
      uint64_t magnitude = 0;
      for (; i < value.size(); ++i) {
        const unsigned digit = static_cast<unsigned char>(value[i]) - unsigned{'0'};
        if (digit > 9) return CheckResult::BadInteger;
        if (magnitude <= kPast) magnitude = magnitude * 10 + digit;
      }
      if (magnitude > kPast || (magnitude == kPast && !negative)) return CheckResult::OutOfRange;
      const int64_t v =
          negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
      if (v < rule.minimum || v > rule.maximum) return CheckResult::OutOfRange;
      return CheckResult::Ok;
    }
    case ValueType::kOther:
      break;
  }
  return CheckResult::UnsupportedType;
}

CheckResult CheckEntry(std::string_view keyword, std::string_view value, bool continued) {
  return CheckEntry(GlobalKeywordTable(), keyword, value, continued);
}

}  // namespace tarvex
