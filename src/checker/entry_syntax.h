// The syntax of one policy source line.
//
// A line, less its leading blanks, is Blank (nothing left), a Comment
// (";" first), a Section header ("[" first) or an Entry: keyword, an
// optional attribute in braces, "=", value. The entry's "=" is the first
// one; the value is everything after it, trimmed (there are no end-of-line
// comments). Braces make an attribute only when a "}" comes after the
// first "{" before the "="; text between that last "}" and the "=" makes
// the attribute run to the "=". Without braces the attribute is "DEFAULT".
#ifndef TARVEX_CHECKER_ENTRY_SYNTAX_H_
#define TARVEX_CHECKER_ENTRY_SYNTAX_H_

#include <string>
#include <string_view>

namespace tarvex {

enum class LineKind { Blank, Comment, Section, Entry };

// The kind of a line whose leading blanks are already removed.
LineKind KindOfLine(std::string_view strippedLine);

struct SourceEntry {
  std::string keyword;
  std::string attribute;
  std::string value;
};

// Takes an entry line (leading blanks removed) apart at `equals`, the
// position of its first "=".
SourceEntry SplitEntry(std::string_view strippedLine, std::size_t equals);

// The same parts as views into `strippedLine`, for the scanner, which must
// not pay for copies on every entry. The attribute of an entry without
// braces is "DEFAULT".
struct SourceEntryView {
  std::string_view keyword;
  std::string_view attribute;
  std::string_view value;
};
SourceEntryView SplitEntryView(std::string_view strippedLine, std::size_t equals);

// Whether an attribute is one of the two that Tarvex accepts, "default" and
// "policy" (ASCII case ignored).
bool IsValidAttribute(std::string_view attribute);

}  // namespace tarvex

#endif  // TARVEX_CHECKER_ENTRY_SYNTAX_H_
