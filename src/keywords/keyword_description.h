// A dictionary row in words, for completion lists, hovers and calltips.
#ifndef TARVEX_KEYWORDS_KEYWORD_DESCRIPTION_H_
#define TARVEX_KEYWORDS_KEYWORD_DESCRIPTION_H_

#include <string>

#include "keywords/keyword_def.h"

namespace tarvex {

// The row's type and range: "int, 1 to 65535", "bool, true or false",
// "string". A type no value check accepts is named as it stands, with
// ", no value is accepted". Texts are the dictionary's bytes.
std::string DescribeKeywordType(const KeywordDef& row);

// The row's name, then its type and range: "Port: int, 1 to 65535".
std::string DescribeKeyword(const KeywordDef& row);

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_KEYWORD_DESCRIPTION_H_
