#include "checker/all_faults.h"

#include <cstring>

#include "checker/fault_table.h"
#include "checker/source_scan.h"
#include "checker/text_scan.h"
#include "keywords/line_pieces.h"
#include "platform/message_format.h"
#include "platform/resource_ids.h"

namespace tarvex {
namespace {

// Collects every fault with its selection. Faults come in line order, so the
// start of each reported line is found by walking on from the last one
// rather than from the top of the text.
class AllFaults : public ScanFaultSink {
 public:
  explicit AllFaults(std::string_view text) : text_(text) {}

  bool OnFault(ScanFault fault) override {
    SourceFault f;
    f.messageId = fault.messageId;
    f.message = WithUnableToGenerate(std::move(fault.message));
    f.line = fault.line;
    f.lastLine = fault.lastLine;
    f.selects = true;
    if (SeekLine(fault.line)) {
      f.selection = SelectionInLine(text_, lineStart_, fault.selectText, fault.kind);
    } else {
      f.selection.start = f.selection.end = f.selection.lineStart = text_.size();
    }
    faults_.push_back(std::move(f));
    return true;
  }

  std::vector<SourceFault>& faults() { return faults_; }

 private:
  // Moves to `line` (never backwards); false when the text has fewer lines.
  bool SeekLine(int line) {
    while (line_ < line) {
      const std::size_t from = lineStart_;
      const void* lf = from < text_.size()
                           ? std::memchr(text_.data() + from, '\n', text_.size() - from)
                           : nullptr;
      if (lf == nullptr) return false;
      lineStart_ = static_cast<const char*>(lf) - text_.data() + 1;
      ++line_;
    }
    return true;
  }

  std::string_view text_;
  int line_ = 1;
  std::size_t lineStart_ = 0;
  std::vector<SourceFault> faults_;
};

}  // namespace

std::vector<SourceFault> CheckText(std::string_view text, const KeywordTable& table,
                                   ScanForm form) {
  AllFaults sink(text);
  ScanOutcome outcome;
  if (form == ScanForm::kFast) {
    outcome = ScanSourceText(text, table, sink);
  } else {
    TextPieceSource pieces(text);
    outcome = ScanSource(pieces, table, sink);
  }
  std::vector<SourceFault>& faults = sink.faults();
  if (!outcome.contentSeen) {
    SourceFault f;
    f.messageId = IDS_NO_KEYWORDS;
    f.message = FormatMessage(IDS_NO_KEYWORDS);
    faults.push_back(std::move(f));
  }
  return std::move(faults);
}

void FaultPositions(std::string_view text, const SourceFault& fault, TextPosition* start,
                    TextPosition* end) {
  const ErrorSelection& sel = fault.selection;
  start->line = fault.line;
  start->column = 1;
  if (!fault.selects || !sel.lineExists) {
    *end = *start;
    return;
  }
  start->column = static_cast<int>(sel.start - sel.lineStart) + 1;
  *end = *start;
  std::size_t lastLineStart = sel.lineStart;
  for (std::size_t i = sel.start; i < sel.end; ++i) {
    if (text[i] == '\n') {
      ++end->line;
      lastLineStart = i + 1;
    }
  }
  end->column = static_cast<int>(sel.end - lastLineStart) + 1;
}

}  // namespace tarvex
