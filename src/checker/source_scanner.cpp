// The check pass of Generate over a saved policy source.
#include "checker/entry_check.h"
#include "checker/entry_syntax.h"
#include "checker/fault_table.h"
#include "commands/main_frame_logic.h"
#include "keywords/blanks.h"
#include "keywords/line_reader.h"
#include "platform/resource_ids.h"
#include "platform/window_system.h"

namespace tarvex {

bool MainFrameLogic::CheckSource() {
  LineReader reader;
  if (!reader.Open(m_sourcePath, ReadMode::kText)) {
    // Stopping Generate without a word would leave the user guessing.
    ShowFrameMessage(IDS_ERROR_READING_FILE, {m_sourcePath});
    return false;
  }

  // The fault report: file closed first, then the selection, then one message.
  auto report = [&](int id, std::string message, const std::string& selectText, int line,
                    SelectKind kind) {
    reader.Close();
    LocateError(selectText, line, kind);
    ws_.FrameMessageBox(id, WithUnableToGenerate(std::move(message)));
    return false;
  };

  int lineNumber = 0;
  bool contentSeen = false;
  std::string piece;
  while (reader.ReadPiece(&piece)) {
    ++lineNumber;
    std::string line = StripLeadingBlanks(piece);
    const LineKind kind = KindOfLine(line);
    if (kind == LineKind::Blank) continue;
    contentSeen = true;
    if (kind != LineKind::Entry) continue;

    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      return report(IDS_EQUALS_MISSING, FormatMessage(IDS_EQUALS_MISSING, {lineNumber}),
                    StripBlanks(line), lineNumber, SelectKind::LineText);
    }
    SourceEntry entry = SplitEntry(line, equals);

    // A value ending in a backslash takes the next line, whatever it holds.
    bool continued = false;
    int continuationCount = 0;
    while (!entry.value.empty() && entry.value.back() == '\\') {
      continued = true;
      if (!reader.ReadPiece(&piece)) break;
      ++continuationCount;
      // Joining in place keeps a long continued value linear. The value
      // starts and ends with a non-blank (the backslash), so trimming the
      // joined text only ever removes blanks at its end.
      entry.value += '\r';
      entry.value += piece;
      while (IsBlank(entry.value.back())) entry.value.pop_back();
      line = StripLeadingBlanks(piece);
    }

    if (!IsValidAttribute(entry.attribute)) {
      return report(IDS_NOT_VALID_ATTRIBUTE,
                    FormatMessage(IDS_NOT_VALID_ATTRIBUTE, {entry.attribute, lineNumber}),
                    entry.attribute, lineNumber, SelectKind::Attribute);
    }
    const CheckResult result = CheckEntry(keywordTable(), entry.keyword, entry.value, continued);
    if (result != CheckResult::Ok) {
      FaultReport fault = DescribeFault(result, {entry.keyword, entry.value, line, lineNumber});
      return report(fault.messageId, std::move(fault.message), fault.selectText, lineNumber,
                    fault.kind);
    }
    lineNumber += continuationCount;
  }
  reader.Close();

  if (!contentSeen) {
    ShowFrameMessage(IDS_NO_KEYWORDS);
    return false;
  }
  return true;
}

}  // namespace tarvex
