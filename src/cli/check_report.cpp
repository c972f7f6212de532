#include "cli/check_report.h"

#include <nlohmann/json.hpp>

#include "platform/code_page_1252.h"

namespace tarvex {

void WriteFaultsAsText(const std::string& file, std::string_view text,
                       const std::vector<SourceFault>& faults, std::ostream& out) {
  for (const SourceFault& f : faults) {
    if (f.selects) {
      TextPosition start, end;
      FaultPositions(text, f, &start, &end);
      out << file << ':' << start.line << ':' << start.column << ": error: ";
    }
    out << f.message << '\n';
  }
  out.flush();
}

void WriteFaultsAsJson(const std::string& file, std::string_view text,
                       const std::vector<SourceFault>& faults, std::ostream& out) {
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (const SourceFault& f : faults) {
    TextPosition start, end;
    FaultPositions(text, f, &start, &end);
    array.push_back({{"file", file},
                     {"line", start.line},
                     {"column", start.column},
                     {"endLine", end.line},
                     {"endColumn", end.column},
                     {"id", f.messageId},
                     {"message", Cp1252ToUtf8(f.message)}});
  }
  // A path that is not UTF-8 must not stop the report: its odd bytes are replaced.
  out << array.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  out.flush();
}

}  // namespace tarvex
