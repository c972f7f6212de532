#include "shell/find_commands.h"

namespace tarvex::shell {

FindOutcome FindNext(SearchView& view, const std::optional<std::string>& pattern,
                     SearchOptions options, bool forward) {
  if (!pattern) return FindOutcome::kNotFound;
  const auto match = FindInText(view.Text(), *pattern, options, view.Selection(), forward);
  if (!match) return FindOutcome::kNotFound;
  view.SelectAndShow(*match);
  return FindOutcome::kFound;
}

FindOutcome ReplaceAndFindNext(SearchView& view, const std::optional<std::string>& pattern,
                               const std::string& replacement, SearchOptions options,
                               std::size_t lengthLimit) {
  if (pattern) {
    const std::string text = view.Text();
    const TextRange selection = view.Selection();
    if (SelectionMatches(text, *pattern, options, selection)) {
      // Checked first: a view would delete the selection and then refuse.
      if (text.size() - (selection.end - selection.start) + replacement.size() > lengthLimit) {
        return FindOutcome::kTooLong;
      }
      view.ReplaceRange(selection.start, selection.end, replacement);
    }
  }
  return FindNext(view, pattern, options, true);
}

std::optional<int> ReplaceEvery(SearchView& view, const std::optional<std::string>& pattern,
                                const std::string& replacement, SearchOptions options,
                                std::size_t lengthLimit) {
  if (!pattern) return 0;
  const auto edit = PlanReplaceAll(view.Text(), *pattern, replacement, options, lengthLimit,
                                   view.Anchor(), view.Caret());
  if (!edit) return std::nullopt;
  if (edit->count == 0) return 0;
  view.ReplaceRange(edit->first, edit->last, edit->replacement);
  view.SetSelection(edit->anchor, edit->caret);
  return edit->count;
}

std::optional<std::string> ProposedFindText(std::string_view text, TextRange selection) {
  if (selection.end <= selection.start || selection.end - selection.start >= 256 ||
      selection.end > text.size()) {
    return std::nullopt;
  }
  const std::string_view chosen = text.substr(selection.start, selection.end - selection.start);
  if (chosen.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
  return std::string(chosen);
}

}  // namespace tarvex::shell
