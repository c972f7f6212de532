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
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "keywords/keyword_def.h"

namespace tarvex {

class KeywordTable {
 public:
  KeywordTable() = default;

  void Append(KeywordDef row);

  // Appends `rows` in order, as Append would one by one. Faster for many
  // rows: the index grows once, and its slots are fetched ahead.
  void AppendAll(std::vector<KeywordDef> rows);

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
  // The index: open addressing over row numbers, keyed by a hash of the
  // name with ASCII case folded, so that loading a large dictionary costs
  // no allocation per row and a lookup needs no folded copy of the text.
  struct Slot {
    uint32_t hash = 0;
    uint32_t rowPlusOne = 0;  // 0: empty
  };
  static uint32_t FoldedHash(std::string_view text);
  // The slot that holds `name`, or the empty slot where it would go.
  std::size_t Probe(std::string_view name, uint32_t hash) const;
  void GrowTo(std::size_t rows);

  std::vector<KeywordDef> rows_;
  std::vector<Slot> slots_;  // a power of two long, at most half full
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
