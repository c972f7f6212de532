// Searching and replacing in the document's text: plain text, matched byte
// for byte in the document's code page (1252), wrapping around at either
// end. The shells hand over the text and the selection; nothing here knows
// a view.
#ifndef TARVEX_SHELL_TEXT_SEARCH_H_
#define TARVEX_SHELL_TEXT_SEARCH_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::shell {

struct SearchOptions {
  // Off: the letters of the code page match in either case (A and a, É and é).
  bool matchCase = false;
  // On: a match must begin and end at the edges of words, words being runs
  // of letters, digits, "_" and bytes from 0x80.
  bool wholeWord = false;
};

struct TextRange {
  std::size_t start;
  std::size_t end;
  bool operator==(const TextRange&) const = default;
};

// The next occurrence of `pattern` after the selection (forward: starting
// at or after its end) or before it (backward: ending at or before its
// start), wrapping around; nothing when the text holds none. An empty
// pattern is never found.
std::optional<TextRange> FindInText(std::string_view text, std::string_view pattern,
                                    SearchOptions options, TextRange selection, bool forward);

// Whether `selection` is exactly one occurrence of `pattern`.
bool SelectionMatches(std::string_view text, std::string_view pattern, SearchOptions options,
                      TextRange selection);

// Replace All as one edit: put `replacement` in place of the text's
// [first, last), then select from `anchor` to `caret`. The selection stays
// on the text it was on; inside a match it moves to the match's start.
struct ReplaceAllEdit {
  int count = 0;  // occurrences replaced; nothing else is set when 0
  std::size_t first = 0;
  std::size_t last = 0;
  std::string replacement;
  std::size_t anchor = 0;
  std::size_t caret = 0;
};

// Every occurrence, left to right and not overlapping, found before
// anything changes. Nothing when the result would hold more than
// `lengthLimit` bytes: then nothing may change.
std::optional<ReplaceAllEdit> PlanReplaceAll(std::string_view text, std::string_view pattern,
                                             std::string_view replacement, SearchOptions options,
                                             std::size_t lengthLimit, std::size_t anchor,
                                             std::size_t caret);

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_TEXT_SEARCH_H_
