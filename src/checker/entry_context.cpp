#include "checker/entry_context.h"

#include <algorithm>

#include "keywords/blanks.h"

namespace tarvex {

EntryContext EntryContextAt(std::string_view text, std::size_t offset) {
  EntryContext c;
  if (offset > text.size()) offset = text.size();
  const std::size_t lf = offset == 0 ? std::string_view::npos : text.rfind('\n', offset - 1);
  c.lineStart = lf == std::string_view::npos ? 0 : lf + 1;
  std::size_t lineEnd = text.find('\n', offset);
  if (lineEnd == std::string_view::npos) lineEnd = text.size();
  if (lineEnd > c.lineStart && text[lineEnd - 1] == '\r') --lineEnd;
  const std::string_view line = text.substr(c.lineStart, lineEnd - c.lineStart);

  const std::size_t first = line.find_first_not_of(kBlanks);
  if (first != std::string_view::npos && (line[first] == ';' || line[first] == '[')) return c;
  const std::size_t begin = first == std::string_view::npos ? line.size() : first;
  const std::size_t equals = line.find('=');
  // The keyword runs to the first "{" or "=", blanks trimmed.
  std::size_t stop = line.find_first_of("{=", begin);
  if (stop == std::string_view::npos) stop = line.size();
  std::size_t end = stop;
  while (end > begin && IsBlank(line[end - 1])) --end;
  c.keyword = std::string(line.substr(begin, end - begin));
  c.keywordStart = c.lineStart + begin;
  c.keywordEnd = c.lineStart + end;

  const std::size_t column = offset - c.lineStart;
  if (equals != std::string_view::npos && column > equals) {
    c.where = EntryContext::Where::kValue;
    return c;
  }
  c.where = EntryContext::Where::kKeyword;
  if (column > begin) c.prefix = std::string(line.substr(begin, std::min(column, stop) - begin));
  return c;
}

}  // namespace tarvex
