// Searching and replacing in the text view (the rules are the shell
// layer's text_search.h), and its rows as Go to Line counts them.
#ifndef TARVEX_QT_FIND_TEXT_SEARCH_H_
#define TARVEX_QT_FIND_TEXT_SEARCH_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "shell/find_commands.h"

namespace tarvex::qt {

class CTarvexView;

using shell::SearchOptions;

// The text view as the shell layer's Find, Replace and Replace All see it
// (shell/find_commands.h).
class ViewSearch : public shell::SearchView {
 public:
  explicit ViewSearch(CTarvexView& view) : view_(view) {}
  std::string Text() override;
  shell::TextRange Selection() override;
  std::size_t Anchor() override;
  std::size_t Caret() override;
  void SelectAndShow(shell::TextRange range) override;
  void ReplaceRange(std::size_t first, std::size_t last, const std::string& bytes) override;
  void SetSelection(std::size_t anchor, std::size_t caret) override;

 private:
  CTarvexView& view_;
};

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
