#include "keywords/keyword_table.h"

#include <cstdint>

#include "keywords/ascii_case.h"

namespace tarvex {

std::size_t KeywordTable::FoldedHash::operator()(std::string_view text) const {
  // FNV-1a over the folded bytes.
  uint64_t h = 14695981039346656037ull;
  for (char c : text) {
    h ^= static_cast<unsigned char>(FoldAscii(c));
    h *= 1099511628211ull;
  }
  return static_cast<std::size_t>(h);
}

bool KeywordTable::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return EqualsIgnoreAsciiCase(a, b);
}

void KeywordTable::Append(KeywordDef row) {
  // emplace keeps an existing entry: the first row of a name stays the one found.
  firstRowByFoldedName_.emplace(FoldAsciiCase(row.name), rows_.size());
  rows_.push_back(std::move(row));
}

const KeywordDef* KeywordTable::Find(std::string_view name) const {
  auto it = firstRowByFoldedName_.find(name);
  return it == firstRowByFoldedName_.end() ? nullptr : &rows_[it->second];
}

void KeywordTable::Clear() {
  rows_.clear();
  firstRowByFoldedName_.clear();
}

KeywordTable& GlobalKeywordTable() {
  static KeywordTable table;
  return table;
}

bool FindKeyword(const KeywordTable& table, std::string_view name, KeywordDef* row) {
  const KeywordDef* found = table.Find(name);
  if (found == nullptr) return false;
  *row = *found;
  return true;
}

bool FindKeyword(std::string_view name, KeywordDef* row) {
  return FindKeyword(GlobalKeywordTable(), name, row);
}

}  // namespace tarvex
