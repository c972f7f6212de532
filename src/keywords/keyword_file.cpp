#include "keywords/keyword_file.h"

#include <algorithm>

#include "keywords/blanks.h"
#include "keywords/line_pieces.h"
#include "platform/message_format.h"
#include "platform/regular_file.h"
#include "platform/resource_ids.h"
#include "platform/window_system.h"

namespace tarvex {

std::string NextField(std::string* line, std::string_view separator) {
  std::size_t p = line->find(separator);
  if (p == std::string::npos) {
    std::string field = StripBlanks(*line);
    line->clear();
    return field;
  }
  std::string field = StripBlanks(std::string_view(*line).substr(0, p));
  *line = StripBlanks(std::string_view(*line).substr(p + separator.size()));
  return field;
}

bool ParseKeywordLine(std::string_view piece, KeywordDef* row) {
  // The rows of NextField, cut straight from the piece: a field is the text
  // between two commas, trimmed, whatever the blanks around the rest.
  std::string_view line = LeadingBlanksSkipped(piece);
  if (!line.empty() && line[0] == ';') return false;
  std::string* fields[] = {&row->name, &row->type, &row->minimum, &row->maximum};
  for (std::string* field : fields) {
    const std::size_t comma = line.find(',');
    field->assign(BlanksTrimmed(line.substr(0, comma)));
    line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
  }
  return true;
}

bool LoadKeywordFile(KeywordTable& table, const std::string& path, WindowSystem& ws) {
  // One read of the whole file, then pieces cut from memory: reading piece
  // by piece through a line buffer cost more than all the parsing.
  std::string bytes;
  if (!ReadRegularFile(path, &bytes)) {
    ws.AppMessageBox(IDS_ERROR_READING_FILE, FormatMessage(IDS_ERROR_READING_FILE, {path}));
    return false;
  }
  // About one row per 24 bytes: room for them at once instead of regrowing
  // (within reason, for a file of a few long lines).
  std::vector<KeywordDef> rows;
  rows.reserve(std::min<std::size_t>(bytes.size() / 24, 200000));
  TextPieceSource pieces(bytes);
  SourcePiece piece;
  while (pieces.Next(&piece)) {
    // Parsed in place at the end of the rows: no row is built twice.
    if (!ParseKeywordLine(piece.text, &rows.emplace_back())) rows.pop_back();
  }
  table.AppendAll(std::move(rows));
  return true;
}

bool LoadKeywordFile(WindowSystem& ws) {
  return LoadKeywordFile(GlobalKeywordTable(), kKeywordFileName, ws);
}

}  // namespace tarvex
