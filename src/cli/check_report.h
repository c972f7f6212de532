// tarvexc check with --all or --format=json: the faults of a source file,
// every one or the first, as compiler lines or as one JSON document.
#ifndef TARVEX_CLI_CHECK_REPORT_H_
#define TARVEX_CLI_CHECK_REPORT_H_

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "checker/all_faults.h"

namespace tarvex {

enum class ReportFormat { kText, kJson };

// Text: one "FILE:LINE:COLUMN: error: MESSAGE" per fault (a fault that
// selects nothing, 5452, without the location), as check prints its fault.
void WriteFaultsAsText(const std::string& file, std::string_view text,
                       const std::vector<SourceFault>& faults, std::ostream& out);

// JSON: an array of {file, line, column, endLine, endColumn, id, message},
// lines and columns counted from 1; texts decoded from code page 1252.
void WriteFaultsAsJson(const std::string& file, std::string_view text,
                       const std::vector<SourceFault>& faults, std::ostream& out);

}  // namespace tarvex

#endif  // TARVEX_CLI_CHECK_REPORT_H_
