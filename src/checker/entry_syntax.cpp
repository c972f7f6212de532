#include "checker/entry_syntax.h"

#include "keywords/ascii_case.h"
#include "keywords/blanks.h"

namespace tarvex {

LineKind KindOfLine(std::string_view strippedLine) {
  if (strippedLine.empty()) return LineKind::Blank;
  if (strippedLine[0] == ';') return LineKind::Comment;
  if (strippedLine[0] == '[') return LineKind::Section;
  return LineKind::Entry;
}

SourceEntry SplitEntry(std::string_view line, std::size_t equals) {
  const SourceEntryView parts = SplitEntryView(line, equals);
  return {std::string(parts.keyword), std::string(parts.attribute), std::string(parts.value)};
}

SourceEntryView SplitEntryView(std::string_view line, std::size_t equals) {
  SourceEntryView entry;
  const std::string_view keywordPart = line.substr(0, equals);
  entry.value = BlanksTrimmed(line.substr(equals + 1));
  const std::size_t open = keywordPart.find('{');
  const std::size_t close = keywordPart.rfind('}');
  if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
    entry.keyword = BlanksTrimmed(keywordPart.substr(0, open));
    entry.attribute = BlanksTrimmed(keywordPart.substr(open + 1, close - open - 1));
    if (!BlanksTrimmed(keywordPart.substr(close + 1)).empty()) {
      entry.attribute = BlanksTrimmed(keywordPart.substr(open + 1));
    }
  } else {
    entry.keyword = BlanksTrimmed(keywordPart);
    entry.attribute = "DEFAULT";
  }
  return entry;
}

bool IsValidAttribute(std::string_view attribute) {
  return EqualsIgnoreAsciiCase(attribute, "default") || EqualsIgnoreAsciiCase(attribute, "policy");
}

}  // namespace tarvex
