#include "checker/source_scan.h"

#include "checker/entry_check.h"
#include "checker/entry_syntax.h"
#include "checker/fault_table.h"
#include "keywords/blanks.h"
#include "platform/message_format.h"
#include "platform/resource_ids.h"

namespace tarvex {
namespace {

// A piece as read, less its leading blanks, its line feed kept.
std::string LineAsRead(const SourcePiece& piece) {
  const std::string_view stripped = LeadingBlanksSkipped(piece.text);
  std::string line(stripped);
  if (!stripped.empty() && piece.lineEnd) line += '\n';
  return line;
}

}  // namespace

int ScanLine(PieceSource& pieces, const SourcePiece& first, int lineNumber,
             const KeywordTable& table, bool* content, ScanFault* fault) {
  *fault = ScanFault();
  const std::string_view line = LeadingBlanksSkipped(first.text);
  const LineKind kind = KindOfLine(line);
  *content = kind != LineKind::Blank;
  if (kind != LineKind::Entry) return 0;

  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    *fault = {IDS_EQUALS_MISSING, FormatMessage(IDS_EQUALS_MISSING, {lineNumber}),
              StripBlanks(line),  SelectKind::LineText,
              lineNumber,         lineNumber};
    return 0;
  }
  const SourceEntryView parts = SplitEntryView(line, equals);
  // The keyword and attribute are needed past the next read only when the
  // entry is continued (a piece's text does not outlive the next read), and
  // only then is the value copied, to be joined in place.
  std::string_view keyword = parts.keyword;
  std::string_view attribute = parts.attribute;
  std::string_view value = parts.value;
  std::string keywordCopy, attributeCopy, joined;
  // Only a blank keyword's report needs the last line read, so only then
  // is it kept.
  const bool keepLastLine = keyword.empty();
  std::string lastLineRead;
  if (keepLastLine) lastLineRead = LineAsRead(first);

  // A value ending in a backslash takes the next line, whatever it holds.
  bool continued = false;
  int continuationCount = 0;
  if (!value.empty() && value.back() == '\\') {
    keywordCopy = keyword;
    attributeCopy = attribute;
    keyword = keywordCopy;
    attribute = attributeCopy;
    joined = value;
    SourcePiece piece;
    while (!joined.empty() && joined.back() == '\\') {
      continued = true;
      if (!pieces.Next(&piece)) break;
      ++continuationCount;
      // Joining in place keeps a long continued value linear. The value
      // starts and ends with a non-blank (the backslash), so trimming the
      // joined text only ever removes blanks at its end.
      joined += '\r';
      joined += piece.text;
      while (IsBlank(joined.back())) joined.pop_back();
      if (keepLastLine) lastLineRead = LineAsRead(piece);
    }
    value = joined;
  }

  const int lastLine = lineNumber + continuationCount;
  if (!IsValidAttribute(attribute)) {
    *fault = {IDS_NOT_VALID_ATTRIBUTE,
              FormatMessage(IDS_NOT_VALID_ATTRIBUTE, {attribute, lineNumber}),
              std::string(attribute),
              SelectKind::Attribute,
              lineNumber,
              lastLine};
  } else {
    const CheckResult result = CheckEntry(table, keyword, value, continued);
    if (result != CheckResult::Ok) {
      FaultReport r = DescribeFault(result, {keyword, value, lastLineRead, lineNumber});
      *fault = {r.messageId, std::move(r.message), std::move(r.selectText),
                r.kind,      lineNumber,           lastLine};
    }
  }
  return continuationCount;
}

ScanOutcome ScanSource(PieceSource& pieces, const KeywordTable& table, ScanFaultSink& sink,
                       int linesBefore) {
  ScanOutcome outcome;
  int lineNumber = linesBefore;
  SourcePiece piece;
  ScanFault fault;
  while (pieces.Next(&piece)) {
    ++lineNumber;
    bool content = false;
    const int continuationCount = ScanLine(pieces, piece, lineNumber, table, &content, &fault);
    outcome.contentSeen = outcome.contentSeen || content;
    if (fault.messageId != 0 && !sink.OnFault(std::move(fault))) {
      outcome.stopped = true;
      break;
    }
    lineNumber += continuationCount;
  }
  return outcome;
}

}  // namespace tarvex
