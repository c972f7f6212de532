#include "keywords/keyword_line.h"

#include "keywords/blanks.h"
#include "keywords/byte_search.h"

namespace tarvex {

bool ParseKeywordLine(std::string_view piece, KeywordDef* row) {
  // A field is the text between two commas, trimmed, whatever the blanks
  // around the rest.
  std::string_view line = LeadingBlanksSkipped(piece);
  if (!line.empty() && line[0] == ';') return false;
  std::string_view* fields[] = {&row->name, &row->type, &row->minimum, &row->maximum};
  for (std::string_view* field : fields) {
    const std::size_t comma = line.find(',');
    *field = BlanksTrimmed(line.substr(0, comma));
    line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
  }
  return true;
}

std::string_view KeywordLineName(std::string_view line) {
  return KeywordLineName(line, line.size());
}

std::string_view KeywordLineName(std::string_view line, std::size_t room) {
  // Every row's name is cut when a dictionary loads: no library call.
  std::size_t end = FindEither(line.data(), line.size(), room, ',', ',');
  while (end > 0 && IsBlank(line[end - 1])) --end;
  std::size_t start = 0;
  while (start < end && IsBlank(line[start])) ++start;
  return line.substr(start, end - start);
}

}  // namespace tarvex
