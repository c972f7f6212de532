#include "cli/console_frame.h"

#include "checker/error_location.h"

namespace tarvex {

void ConsoleFrame::LocateError(const std::string& text, int line, SelectKind kind) {
  const std::string editorText = console_.ViewText();
  const ErrorSelection sel = FindErrorSelection(editorText, text, line, kind);
  const std::size_t column = sel.start - sel.lineStart + 1;
  console_.SetPendingLocation(console_.DocumentPath() + ":" + std::to_string(line) + ":" +
                              std::to_string(column) + ": error: ");
}

}  // namespace tarvex
