// One line of `keyword.txt` as a row: the text cut at every comma into
// fields, each trimmed of blanks, the first four being name, type, minimum
// and maximum (missing ones empty, further ones dropped). A line whose first
// non-blank character is ";" is a comment.
#ifndef TARVEX_KEYWORDS_KEYWORD_LINE_H_
#define TARVEX_KEYWORDS_KEYWORD_LINE_H_

#include <cstddef>
#include <string_view>

#include "keywords/keyword_def.h"

namespace tarvex {

// The row of one line piece, its fields viewing `piece`; false when the
// piece is a comment.
bool ParseKeywordLine(std::string_view piece, KeywordDef* row);

// The name field of a line that is not a comment, as ParseKeywordLine cuts it.
std::string_view KeywordLineName(std::string_view line);
// The same, where `room` bytes (at least line.size()) may be read from
// line.data() on: the comma is then sought a register at a time.
std::string_view KeywordLineName(std::string_view line, std::size_t room);

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_KEYWORD_LINE_H_
