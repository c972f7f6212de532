// Finding the offending text of a fault in the editor's text.
//
// Lines are counted as the checker counts them: line L starts after the
// (L-1)th line feed, and its text runs up to, not including, its line end
// (CR LF or LF). For text with CR LF line ends this is the same as walking
// carriage returns.
#ifndef TARVEX_CHECKER_ERROR_LOCATION_H_
#define TARVEX_CHECKER_ERROR_LOCATION_H_

#include <cstddef>
#include <string_view>

#include "checker/select_kind.h"

namespace tarvex {

struct ErrorSelection {
  std::size_t start = 0;      // first selected offset
  std::size_t end = 0;        // one past the last; never beyond the text
  std::size_t lineStart = 0;  // offset of the reported line's first character
  bool lineExists = false;    // false when the text has fewer lines than reported
};

// Where `text` of a fault on `line` (1 or more) of kind `kind` is selected
// in `editorText`. When the text is not found the selection starts at the
// line's start and spans as many characters as `text` has. A line beyond
// the last selects nothing, at the end of the text.
ErrorSelection FindErrorSelection(std::string_view editorText, std::string_view text, int line,
                                  SelectKind kind);

// The same selection once the reported line is known to start at
// `lineStart`, the offset just after a line feed (or 0).
ErrorSelection SelectionInLine(std::string_view editorText, std::size_t lineStart,
                               std::string_view text, SelectKind kind);

}  // namespace tarvex

#endif  // TARVEX_CHECKER_ERROR_LOCATION_H_
