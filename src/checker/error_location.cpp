#include "checker/error_location.h"

#include <algorithm>

#include "commands/main_frame_logic.h"
#include "platform/window_system.h"

namespace tarvex {

ErrorSelection FindErrorSelection(std::string_view editorText, std::string_view text, int line,
                                  SelectKind kind) {
  ErrorSelection sel;
  std::size_t lineStart = 0;
  for (int l = 1; l < line; ++l) {
    std::size_t lf = editorText.find('\n', lineStart);
    if (lf == std::string_view::npos) {
      sel.start = sel.end = sel.lineStart = editorText.size();
      return sel;
    }
    lineStart = lf + 1;
  }
  return SelectionInLine(editorText, lineStart, text, kind);
}

ErrorSelection SelectionInLine(std::string_view editorText, std::size_t lineStart,
                               std::string_view text, SelectKind kind) {
  ErrorSelection sel;
  sel.lineExists = true;
  sel.lineStart = lineStart;

  std::size_t lineEnd = editorText.find('\n', lineStart);
  if (lineEnd == std::string_view::npos) {
    lineEnd = editorText.size();
  } else if (lineEnd > lineStart && editorText[lineEnd - 1] == '\r') {
    --lineEnd;
  }
  const std::string_view lineText = editorText.substr(lineStart, lineEnd - lineStart);

  std::size_t found = std::string_view::npos;
  std::size_t length = text.size();
  const std::size_t eq = lineText.find('=');
  switch (kind) {
    case SelectKind::LineText:
    case SelectKind::Keyword:
      found = lineText.find(text);
      break;
    case SelectKind::Attribute:
      // Without "=" the whole line is searched from its end.
      found = lineText.rfind(text, eq);
      break;
    case SelectKind::Value:
      if (lineText.find('\\') != std::string_view::npos) {
        found = 0;
        length = lineText.size();
      } else if (eq != std::string_view::npos) {
        found = lineText.find(text, eq);
      }
      break;
  }
  sel.start = lineStart + (found == std::string_view::npos ? 0 : found);
  sel.end = std::min(sel.start + length, editorText.size());
  return sel;
}

void MainFrameLogic::LocateError(const std::string& text, int line, SelectKind kind) {
  const std::string editorText = ws_.ViewText();
  const ErrorSelection sel = FindErrorSelection(editorText, text, line, kind);
  ws_.SelectAndShow(sel.start, sel.end);
}

}  // namespace tarvex
