// Reading `keyword.txt`, the keyword dictionary.
//
// Each line, with its leading blanks removed, is a comment when it starts
// with ";" and is skipped; every other line (an empty one included) is one
// row: the text cut at every comma into fields, each trimmed, the first
// four being name, type, minimum and maximum (missing ones empty, further
// ones dropped). The file is read in text mode, in line pieces of at most
// 1023 characters (line_reader.h); a longer line yields a row per piece.
#ifndef TARVEX_KEYWORDS_KEYWORD_FILE_H_
#define TARVEX_KEYWORDS_KEYWORD_FILE_H_

#include <string>
#include <string_view>

#include "keywords/keyword_line.h"
#include "keywords/keyword_table.h"

namespace tarvex {

class WindowSystem;

inline constexpr const char* kKeywordFileName = "keyword.txt";

// Cuts the next field off `*line`: the text before the first `separator`,
// trimmed, with `*line` becoming the text after it, trimmed. Without a
// separator the field is the whole line, trimmed, and `*line` becomes empty.
std::string NextField(std::string* line, std::string_view separator);

// Appends the rows of the file at `path` to `table`. False when the file
// cannot be opened: then message 5450 names `path` in the application's
// message box and the table is unchanged. A read error counts as the end.
bool LoadKeywordFile(KeywordTable& table, const std::string& path, WindowSystem& ws);

// LoadKeywordFile without a message: false when the file cannot be opened
// (or, as for a file too large, no memory is to be had for it).
bool ReadKeywordFile(KeywordTable& table, const std::string& path);

// Loads "keyword.txt" from the current directory into the process-wide table.
bool LoadKeywordFile(WindowSystem& ws);

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_KEYWORD_FILE_H_
