#include "keywords/keyword_file.h"

#include <cstring>
#include <optional>

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

namespace {

// Reads the open `file` whole into the table's memory: one read of the
// size the system states, then, if the file grew meanwhile, the rest. A
// read error counts as the end of the file. Nothing when no memory is to
// be had.
std::optional<std::string_view> ReadIntoTable(std::FILE* file, std::size_t sizeHint,
                                              KeywordTable& table) {
  // One byte over, so that a full read means the file grew.
  const std::size_t room = sizeHint + 1;
  if (!table.ReserveForFile(room)) return std::nullopt;
  char* bytes = table.KeepRoom(room);
  if (bytes == nullptr) return std::nullopt;
  const std::size_t got = std::fread(bytes, 1, room, file);
  if (got < room) return std::string_view(bytes, got);
  FileText rest;
  ReadToEnd(file, &rest);
  char* whole = table.KeepRoom(got + rest.size());
  if (whole == nullptr) return std::nullopt;
  std::memcpy(whole, bytes, got);
  std::memcpy(whole + got, rest.view().data(), rest.size());
  return std::string_view(whole, got + rest.size());
}

}  // namespace

bool ReadKeywordFile(KeywordTable& table, const std::string& path) {
  // One read of the whole file, then pieces cut from memory: reading piece
  // by piece through a line buffer cost more than all the parsing.
  std::FILE* file = OpenRegularFile(path);
  if (file == nullptr) return false;
  const long long size = FileSizeHint(path);
  // The rows view the file's bytes, which the table keeps: no row is
  // copied, and a row is cut into fields only when it is asked for.
  const std::optional<std::string_view> read =
      ReadIntoTable(file, size > 0 ? static_cast<std::size_t>(size) : 0, table);
  std::fclose(file);
  if (!read) return false;
  const std::string_view bytes = *read;
  KeywordTable::KeptLines lines = table.NewKeptLines();
  lines.reserve(KeywordTable::RowsExpectedIn(bytes.size()));
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
