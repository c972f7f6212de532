#include "keywords/keyword_file.h"

#include "keywords/blanks.h"
#include "keywords/line_reader.h"
#include "platform/message_format.h"
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
  std::string line = StripLeadingBlanks(piece);
  if (!line.empty() && line[0] == ';') return false;
  row->name = NextField(&line, ",");
  row->type = NextField(&line, ",");
  row->minimum = NextField(&line, ",");
  row->maximum = NextField(&line, ",");
  return true;
}

bool LoadKeywordFile(KeywordTable& table, const std::string& path, WindowSystem& ws) {
  LineReader reader;
  if (!reader.Open(path, ReadMode::kText)) {
    ws.AppMessageBox(IDS_ERROR_READING_FILE, FormatMessage(IDS_ERROR_READING_FILE, {path}));
    return false;
  }
  std::string piece;
  while (reader.ReadPiece(&piece)) {
    KeywordDef row;
    if (ParseKeywordLine(piece, &row)) table.Append(std::move(row));
  }
  reader.Close();
  return true;
}

bool LoadKeywordFile(WindowSystem& ws) {
  return LoadKeywordFile(GlobalKeywordTable(), kKeywordFileName, ws);
}

}  // namespace tarvex
