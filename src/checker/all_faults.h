// Every fault of a policy source held in memory, as Generate would report
// each one if it were the first.
//
// The text is checked as Generate checks the file it saves from the
// editor: the same line pieces, entries, messages and selections. Where
// Generate stops at the first fault, this check goes on with the line
// after the faulty entry (after its continuation lines, if it had any), so
// its first fault is always exactly Generate's. A text with no line that
// is not blank has the one fault of message 5452, which selects nothing.
#ifndef TARVEX_CHECKER_ALL_FAULTS_H_
#define TARVEX_CHECKER_ALL_FAULTS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "checker/error_location.h"
#include "checker/source_scan.h"
#include "keywords/keyword_table.h"

namespace tarvex {

struct SourceFault {
  int messageId = 0;         // the string-table id of the fault's own message
  std::string message;       // the whole text of Generate's message box
  int line = 1;              // the reported line, as the checker counts lines (1-based)
  int lastLine = 1;          // the faulty entry's last line (its continuation lines)
  bool selects = false;      // whether Generate selects text for it (not for 5452)
  ErrorSelection selection;  // Generate's selection in the text, in byte offsets
};

// Every fault of `text`, in order; empty for a sound source. Either form of
// the scan gives the same faults; the plain one is there to be compared with.
std::vector<SourceFault> CheckText(std::string_view text, const KeywordTable& table,
                                   ScanForm form = ScanForm::kFast);

// A 1-based line and column of a byte offset in a text whose lines end with
// a line feed (a CR before it belongs to the line), columns counted in bytes.
struct TextPosition {
  int line = 1;
  int column = 1;
};

// The positions where a fault's selection starts and ends, counted as the
// command-line compiler counts them: the start on the reported line, the
// end as many line feeds further as the selection crosses. A fault without
// a selection, or on a line the text does not have, is at the start of its
// reported line.
void FaultPositions(std::string_view text, const SourceFault& fault, TextPosition* start,
                    TextPosition* end);

}  // namespace tarvex

#endif  // TARVEX_CHECKER_ALL_FAULTS_H_
