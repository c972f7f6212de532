#include "keywords/keyword_line.h"

#include "keywords/blanks.h"

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
  return BlanksTrimmed(line.substr(0, line.find(',')));
}

}  // namespace tarvex
