// The check pass over a source held in memory, at about the speed of
// reading it.
//
// It gives exactly what ScanSource (source_scan.h) gives for the pieces of
// the text read in text mode: the same faults, in the same order, with the
// same messages and selections, and the same outcome. Sound lines - blank,
// comment and section lines, entries with or without an attribute,
// continued values - are taken where they lie, without a copy. Each
// faulty entry is handed to the plain scan, which reports it, and from a
// line that holds a zero byte on the plain scan takes the rest of the text.
#ifndef TARVEX_CHECKER_TEXT_SCAN_H_
#define TARVEX_CHECKER_TEXT_SCAN_H_

#include <string_view>

#include "checker/source_scan.h"
#include "keywords/keyword_table.h"

namespace tarvex {

ScanOutcome ScanSourceText(std::string_view text, const KeywordTable& table, ScanFaultSink& sink);

}  // namespace tarvex

#endif  // TARVEX_CHECKER_TEXT_SCAN_H_
