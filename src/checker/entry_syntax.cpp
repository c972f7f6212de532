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
  SourceEntry entry;
  const std::string_view keywordPart = line.substr(0, equals);
  entry.value = StripBlanks(line.substr(equals + 1));
  const std::size_t open = keywordPart.find('{');
  const std::size_t close = keywordPart.rfind('}');
  if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
    entry.keyword = StripBlanks(keywordPart.substr(0, open));
    entry.attribute = StripBlanks(keywordPart.substr(open + 1, close - open - 1));
    if (!StripBlanks(keywordPart.substr(close + 1)).empty()) {
      entry.attribute = StripBlanks(keywordPart.substr(open + 1));
    }
  } else {
    entry.keyword = StripBlanks(keywordPart);
    entry.attribute = "DEFAULT";
  }
  return entry;
}

namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::string_view();
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

}  // namespace

SourceEntryView SplitEntryView(std::string_view line, std::size_t equals) {
  SourceEntryView entry;
  const std::string_view keywordPart = line.substr(0, equals);
  entry.value = Trimmed(line.substr(equals + 1));
  const std::size_t open = keywordPart.find('{');
  const std::size_t close = keywordPart.rfind('}');
  if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
    entry.keyword = Trimmed(keywordPart.substr(0, open));
    entry.attribute = Trimmed(keywordPart.substr(open + 1, close - open - 1));
    if (!Trimmed(keywordPart.substr(close + 1)).empty()) {
      entry.attribute = Trimmed(keywordPart.substr(open + 1));
    }
  } else {
    entry.keyword = Trimmed(keywordPart);
    entry.attribute = "DEFAULT";
  }
  return entry;
}

bool IsValidAttribute(std::string_view attribute) {
  return EqualsIgnoreAsciiCase(attribute, "default") || EqualsIgnoreAsciiCase(attribute, "policy");
}

}  // namespace tarvex
