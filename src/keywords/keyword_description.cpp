#include "keywords/keyword_description.h"

#include "keywords/ascii_case.h"

namespace tarvex {

std::string DescribeKeywordType(const KeywordDef& row) {
  if (EqualsIgnoreAsciiCase(row.type, "int")) {
    // Empty bounds count as 0 in the range test, so say so.
    const std::string low(row.minimum.empty() ? "0" : row.minimum);
    const std::string high(row.maximum.empty() ? "0" : row.maximum);
    return "int, " + low + " to " + high;
  }
  if (EqualsIgnoreAsciiCase(row.type, "bool")) return "bool, true or false";
  if (EqualsIgnoreAsciiCase(row.type, "string")) return "string";
  return std::string(row.type.empty() ? "no type" : row.type) + ", no value is accepted";
}

std::string DescribeKeyword(const KeywordDef& row) {
  return std::string(row.name) + ": " + DescribeKeywordType(row);
}

}  // namespace tarvex
