// The scanning core of the checker, shared by Generate's check pass and by
// the check that lists every fault.
//
// It walks the pieces of a source in order: blank, comment and section
// lines are skipped; each entry is taken apart, its continuation lines
// joined, its attribute tested and the entry checked. Every fault is handed
// to the caller, who says whether to go on. Going on resumes with the line
// after the faulty entry: after its continuation lines when it had any, and
// after the line itself for a line without "=".
#ifndef TARVEX_CHECKER_SOURCE_SCAN_H_
#define TARVEX_CHECKER_SOURCE_SCAN_H_

#include <string>

#include "checker/select_kind.h"
#include "keywords/keyword_table.h"
#include "keywords/line_pieces.h"

namespace tarvex {

struct ScanFault {
  int messageId = 0;
  std::string message;     // filled, without the closing "Unable to generate" line
  std::string selectText;  // the text that is selected, looked for as `kind` says
  SelectKind kind = SelectKind::LineText;
  int line = 0;      // the entry's first line, as the scanner counts lines
  int lastLine = 0;  // the entry's last line (its last continuation line)
};

class ScanFaultSink {
 public:
  virtual ~ScanFaultSink() = default;
  // Takes one fault; returns whether the scan goes on.
  virtual bool OnFault(ScanFault fault) = 0;
};

// The plain scan below, or the fast one over text in memory (text_scan.h).
enum class ScanForm { kFast, kPlain };

struct ScanOutcome {
  bool contentSeen = false;  // some line was not blank
  bool stopped = false;      // the sink ended the scan
};

// The plain scan, a piece at a time. It is the form every faster one must
// match (checker/text_scan.h). `linesBefore` pieces were read before the
// first one `pieces` gives.
ScanOutcome ScanSource(PieceSource& pieces, const KeywordTable& table, ScanFaultSink& sink,
                       int linesBefore = 0);

// One step of it: the line `piece`, numbered `lineNumber`, with the
// continuation lines of its entry read from `pieces`. Sets `*content` to
// whether the line is not blank and `*fault` to the entry's fault
// (messageId 0 when there is none); returns the number of continuation
// lines taken, after which the scan goes on.
int ScanLine(PieceSource& pieces, const SourcePiece& piece, int lineNumber,
             const KeywordTable& table, bool* content, ScanFault* fault);

}  // namespace tarvex

#endif  // TARVEX_CHECKER_SOURCE_SCAN_H_
