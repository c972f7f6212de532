// The keyword dictionary in memory: every row of `keyword.txt` in file
// order, duplicates kept.
//
// Rows are only appended. A lookup by name finds the first row whose name
// equals the text with ASCII letter case ignored (whole texts, no blanks
// stripped), so a later duplicate is never found by name, though it is
// still listed. Lookups take constant expected time: an index of each
// folded name's first row is kept up to date as rows are appended.
#ifndef TARVEX_KEYWORDS_KEYWORD_TABLE_H_
#define TARVEX_KEYWORDS_KEYWORD_TABLE_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "keywords/keyword_def.h"

namespace tarvex {

class KeywordTable {
 public:
  KeywordTable() = default;

  void Append(KeywordDef row);

  // The first row named `name` (ASCII case ignored), or nullptr. The
  // pointer lives until the next Append.
  const KeywordDef* Find(std::string_view name) const;

  const std::vector<KeywordDef>& rows() const { return rows_; }
  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }

  // Empties the table. Tarvex never does this to the process-wide table;
  // tests and tools that load several dictionaries do.
  void Clear();

 private:
  // Hashing and comparing with ASCII case folded on the fly, so that a
  // lookup needs no folded copy of the text it looks for.
  struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };

  std::vector<KeywordDef> rows_;
  std::unordered_map<std::string, std::size_t, FoldedHash, FoldedEqual> firstRowByFoldedName_;
};

// The one process-wide table, empty until LoadKeywordFile fills it.
KeywordTable& GlobalKeywordTable();

// Copies the four fields of the first row named `name` in the process-wide
// table into `*row` and returns true; returns false and leaves `*row`
// untouched when there is none.
bool FindKeyword(std::string_view name, KeywordDef* row);

// The same lookup in a given table.
bool FindKeyword(const KeywordTable& table, std::string_view name, KeywordDef* row);

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_KEYWORD_TABLE_H_
