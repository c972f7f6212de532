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

namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

bool ParseKeywordLine(std::string_view piece, KeywordDef* row) {
  // The rows of NextField, cut straight from the piece: a field is the text
  // between two commas, trimmed, whatever the blanks around the rest.
  const std::size_t first = piece.find_first_not_of(kBlanks);
  std::string_view line = first == std::string_view::npos ? std::string_view() : piece.substr(first);
  if (!line.empty() && line[0] == ';') return false;
  std::string* fields[] = {&row->name, &row->type, &row->minimum, &row->maximum};
  for (std::string* field : fields) {
    const std::size_t comma = line.find(',');
    field->assign(Trimmed(line.substr(0, comma)));
    line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
  }
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
