// How each fault of the checker is reported: its message, and the text
// that is selected in the editor.
#ifndef TARVEX_CHECKER_FAULT_TABLE_H_
#define TARVEX_CHECKER_FAULT_TABLE_H_

#include <string>
#include <string_view>

#include "checker/check_result.h"
#include "checker/select_kind.h"

namespace tarvex {

// What the scanner knows of the faulty entry.
struct EntryFacts {
  std::string_view keyword;   // as the source writes it
  std::string_view value;     // trimmed; joined for a continued entry
  std::string_view lineText;  // the entry's (last read) line less its leading blanks, line end kept
  int line = 0;               // the entry's first line
};

struct FaultReport {
  int messageId = 0;
  std::string message;     // the filled message, without the closing 5456 line
  std::string selectText;  // the text LocateError looks for
  SelectKind kind = SelectKind::LineText;
};

// The report of an entry-check fault; `result` is not Ok.
FaultReport DescribeFault(CheckResult result, const EntryFacts& entry);

// A message followed once by "\nUnable to generate the 'Policy.bin' file.".
std::string WithUnableToGenerate(std::string message);

}  // namespace tarvex

#endif  // TARVEX_CHECKER_FAULT_TABLE_H_
