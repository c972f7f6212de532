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

bool LoadKeywordFile(KeywordTable& table, const std::string& path, WindowSystem& ws) {
  if (!ReadKeywordFile(table, path)) {
    ws.AppMessageBox(IDS_ERROR_READING_FILE, FormatMessage(IDS_ERROR_READING_FILE, {path}));
    return false;
  }
  return true;
}

bool ReadKeywordFile(KeywordTable& table, const std::string& path) {
  // One read of the whole file, then pieces cut from memory: reading piece
  // by piece through a line buffer cost more than all the parsing.
  std::string file;
  if (!ReadRegularFile(path, &file)) return false;
  // The rows view the file's bytes, which the table keeps: no row is
  // copied, and a row is cut into fields only when it is asked for.
  const std::string_view bytes = table.Keep(std::move(file));
  // About one row per 24 bytes: room for them at once instead of regrowing
  // (within reason, for a file of a few long lines).
  std::vector<KeywordTable::KeptLine> lines;
  lines.reserve(std::min<std::size_t>(bytes.size() / 24, 200000));
  TextPieceSource pieces(bytes);
  SourcePiece piece;
  const char* const fileEnd = bytes.data() + bytes.size();
  while (pieces.Next(&piece)) {
    const std::string_view line = LeadingBlanksSkipped(piece.text);
    if (!line.empty() && line[0] == ';') continue;
    // The file's bytes lie beyond the line, so reading on is safe.
    lines.push_back(
        KeywordTable::KeptLine::Of(line, static_cast<std::size_t>(fileEnd - line.data())));
  }
  table.AppendKeptLines(std::move(lines));
  return true;
}

bool LoadKeywordFile(WindowSystem& ws) {
  return LoadKeywordFile(GlobalKeywordTable(), kKeywordFileName, ws);
}

}  // namespace tarvex
