// Searching and replacing in the text view (the rules are the shell
// layer's text_search.h), and its rows as Go to Line counts them.
#ifndef TARVEX_QT_FIND_TEXT_SEARCH_H_
#define TARVEX_QT_FIND_TEXT_SEARCH_H_

#include <optional>
#include <string_view>
#include <utility>

#include "shell/text_search.h"

namespace tarvex::qt {

class CTarvexView;

using shell::SearchOptions;

// The next occurrence of `pattern` after the selection (forward) or before
// it (backward), wrapping around; [start, end) offsets, or nothing when the
// text holds none. An empty pattern is never found.
std::optional<std::pair<long, long>> FindInView(CTarvexView& view, std::string_view pattern,
                                                SearchOptions options, bool forward);

// Whether the selection is exactly one occurrence of `pattern`.
bool SelectionMatches(CTarvexView& view, std::string_view pattern, SearchOptions options);

// Replaces every occurrence as one undoable step. Returns how many were
// replaced, or nothing (and changes nothing) when the result would pass
// the view's length limit.
std::optional<int> ReplaceAllInView(CTarvexView& view, std::string_view pattern,
                                    std::string_view replacement, SearchOptions options);

// The offset where row `row` (from 1, rows counted as the view shows them,
// as the line and column indicator counts them) begins; rows past the end
// give the start of the last row.
long RowStart(CTarvexView& view, long row);

// How many rows the view shows the text on, as far as it has wrapped it.
long RowCount(CTarvexView& view);

}  // namespace tarvex::qt

#endif  // TARVEX_QT_FIND_TEXT_SEARCH_H_
