// What Find Next, Replace and Replace All do to the text view, the same in
// both editors. The shell lends its view through SearchView and turns the
// outcome into its own beep and notice.
#ifndef TARVEX_SHELL_FIND_COMMANDS_H_
#define TARVEX_SHELL_FIND_COMMANDS_H_

#include <cstddef>
#include <optional>
#include <string>

#include "shell/text_search.h"

namespace tarvex::shell {

class SearchView {
 public:
  virtual ~SearchView() = default;
  // The whole text, byte for byte.
  virtual std::string Text() = 0;
  // The selection, start <= end.
  virtual TextRange Selection() = 0;
  // Where selecting began and where the caret is (either may be the larger).
  virtual std::size_t Anchor() = 0;
  virtual std::size_t Caret() = 0;
  virtual void SelectAndShow(TextRange range) = 0;
  // Puts `bytes` in place of [first, last) as one step that Undo takes back.
  virtual void ReplaceRange(std::size_t first, std::size_t last, const std::string& bytes) = 0;
  virtual void SetSelection(std::size_t anchor, std::size_t caret) = 0;
};

enum class FindOutcome {
  kFound,     // the next occurrence is selected and in sight
  kNotFound,  // the text holds none: say so
  kTooLong,   // a replacement would pass the length limit: nothing changed
};

// A pattern is nothing when the user's text cannot be bytes of the code
// page: no policy source holds it.

// Selects the next occurrence after the selection (forward) or before it.
FindOutcome FindNext(SearchView& view, const std::optional<std::string>& pattern,
                     SearchOptions options, bool forward);

// Replace: puts `replacement` in place of the selection when the selection
// is one occurrence, then finds the next.
FindOutcome ReplaceAndFindNext(SearchView& view, const std::optional<std::string>& pattern,
                               const std::string& replacement, SearchOptions options,
                               std::size_t lengthLimit);

// Replace All as one step: how many occurrences were replaced (0: none),
// or nothing when the text would pass the length limit.
std::optional<int> ReplaceEvery(SearchView& view, const std::optional<std::string>& pattern,
                                const std::string& replacement, SearchOptions options,
                                std::size_t lengthLimit);

// What Find proposes to look for: a selection of one line shorter than 256
// bytes, else nothing.
std::optional<std::string> ProposedFindText(std::string_view text, TextRange selection);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_FIND_COMMANDS_H_
