// Where in its line the text of a fault is looked for, to select it.
#ifndef TARVEX_CHECKER_SELECT_KIND_H_
#define TARVEX_CHECKER_SELECT_KIND_H_

namespace tarvex {

enum class SelectKind {
  LineText,   // a line without "=": the first occurrence in the line
  Keyword,    // an unknown keyword or unsupported type: the first occurrence
  Attribute,  // a bad attribute: the last occurrence beginning at or before the first "="
  Value,      // value faults and a blank keyword: the whole line if it holds a
              // backslash, else the first occurrence beginning at or after the first "="
};

}  // namespace tarvex

#endif  // TARVEX_CHECKER_SELECT_KIND_H_
