#include "keywords/keyword_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

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

// Blank tests by hand: find_first_not_of would search the blank set once
// per character, and loading is meant to run at the speed of memory.
std::string_view WithoutLeadingBlanks(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  return text.substr(first);
}

std::string_view Trimmed(std::string_view text) {
  text = WithoutLeadingBlanks(text);
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

std::size_t FileSizeHint(const std::string& path) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  return ec || size > (std::uintmax_t{1} << 32) ? 0 : static_cast<std::size_t>(size);
}

}  // namespace

bool ParseKeywordLine(std::string_view piece, KeywordDef* row) {
  // The rows of NextField, cut straight from the piece: a field is the text
  // between two commas, trimmed, whatever the blanks around the rest.
  std::string_view line = WithoutLeadingBlanks(piece);
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
  // About one row per 24 bytes: room for them at once instead of regrowing
  // (within reason, for a file of a few long lines).
  std::vector<KeywordDef> rows;
  rows.reserve(std::min<std::size_t>(FileSizeHint(path) / 24, 200000));
  std::string piece;
  KeywordDef row;
  while (reader.ReadPiece(&piece)) {
    if (ParseKeywordLine(piece, &row)) rows.push_back(std::move(row));
  }
  reader.Close();
  table.AppendAll(std::move(rows));
  return true;
}

bool LoadKeywordFile(WindowSystem& ws) {
  return LoadKeywordFile(GlobalKeywordTable(), kKeywordFileName, ws);
}

}  // namespace tarvex
