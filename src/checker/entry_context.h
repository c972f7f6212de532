// What an offset in a policy source lies in, for completion and hover:
// the keyword part of an entry or its value.
//
// Lines are the editor's: they end at a line feed, a CR before it not
// belonging to the line. Only the line itself is looked at, so a
// continuation line counts as a line of its own here.
#ifndef TARVEX_CHECKER_ENTRY_CONTEXT_H_
#define TARVEX_CHECKER_ENTRY_CONTEXT_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvex {

struct EntryContext {
  enum class Where {
    kOther,    // a blank, comment or section line
    kKeyword,  // an entry line (or the start of one) before its first "="
    kValue,    // after the entry's first "="
  };
  Where where = Where::kOther;
  std::size_t lineStart = 0;
  // The keyword written on the line (before any "{", blanks trimmed), and
  // its offsets in the text; empty at the first non-blank when none is written.
  std::string keyword;
  std::size_t keywordStart = 0;
  std::size_t keywordEnd = 0;
  // In kKeyword: the text from the keyword's start to the offset (what
  // completion extends); empty when the offset is before the keyword.
  std::string prefix;
};

// The context of `offset` (at most the text's size).
EntryContext EntryContextAt(std::string_view text, std::size_t offset);

}  // namespace tarvex

#endif  // TARVEX_CHECKER_ENTRY_CONTEXT_H_
