// The keyword dictionary in memory: every row of `keyword.txt` in file
// order, duplicates kept.
//
// Rows are only appended. The table keeps the bytes of every row and
// hands rows out as views of them, valid until Clear or destruction (a
// moved table takes them along). A row is kept as its line and cut into
// fields when it is asked for, so that a large dictionary loads at about
// the speed of reading it.
//
// A lookup by name finds the first row whose name equals the text with
// ASCII letter case ignored (whole texts, no blanks stripped), so a later
// duplicate is never found by name, though it is still listed. Lookups take
// constant expected time: an index of each folded name's first row is kept
// up to date as rows are appended, and holds that row's rule
// (keyword_rule.h), so that the checker finds what a value must be in one
// place.
#ifndef TARVEX_KEYWORDS_KEYWORD_TABLE_H_
#define TARVEX_KEYWORDS_KEYWORD_TABLE_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keywords/byte_search.h"
#include "keywords/folded_name.h"
#include "keywords/keyword_def.h"
#include "keywords/keyword_rule.h"
#include "platform/arena.h"

namespace tarvex {

class KeywordTable {
 public:
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
  static constexpr std::size_t kLongestName = std::size_t{1} << 24;

  KeywordTable();
  KeywordTable(const KeywordTable& other);
  KeywordTable& operator=(const KeywordTable& other);
  KeywordTable(KeywordTable&&) = default;
  KeywordTable& operator=(KeywordTable&&) = default;

  // Appends a copy of `row`, whose fields are as a dictionary line gives
  // them: no comma in the name, type or minimum, no blank at either end of
  // any field, a name shorter than kLongestName (a dictionary line is far
  // shorter). Returns false, appending nothing, for any other row.
  bool Append(const KeywordDef& row);

  // Copies `bytes` into the table and returns a view of the copy that
  // lives as long as the table's rows.
  std::string_view Keep(std::string_view bytes);

  // Makes room, in one block, for a dictionary file of about `fileBytes`
  // bytes read by KeepRoom and for its rows and their index, so that a
  // large dictionary loads into memory the system hands out in a few
  // large pages. False when no memory is to be had.
  bool ReserveForFile(std::size_t fileBytes);
  // Room for `bytes` bytes, not cleared, that live as long as the table's
  // rows; nullptr when no memory is to be had.
  char* KeepRoom(std::size_t bytes);
  // About how many rows a dictionary file of `fileBytes` bytes holds: one
  // per 24 bytes, within reason for a file of a few long lines.
  static std::size_t RowsExpectedIn(std::size_t fileBytes);

  // A row's line as the table holds it: the line from its name on, and the
  // name's length, so that a lookup compares names without cutting lines.
  struct KeptLine {
    const char* text;
    uint32_t nameSize;
    uint32_t size;
    // `line` is a line that is not a comment (keyword_line.h); with
    // `room`, the bytes that may be read from line.data() on.
    static KeptLine Of(std::string_view line);
    static KeptLine Of(std::string_view line, std::size_t room);
    std::string_view name() const { return {text, nameSize}; }
    std::string_view whole() const { return {text, size}; }
  };

  using KeptLines = std::vector<KeptLine, ArenaAllocator<KeptLine>>;
  // An empty list of lines in the table's memory, for AppendKeptLines.
  KeptLines NewKeptLines() const { return KeptLines(lines_.get_allocator()); }

  // Appends the rows of `lines` in order, each viewing bytes returned by
  // Keep or KeepRoom. The index grows once, and its slots are fetched
  // ahead.
  void AppendKeptLines(KeptLines lines);

  // The first row named `name` (ASCII case ignored): its number, or
  // kNotFound; or the row itself.
  std::size_t FindIndex(std::string_view name) const;
  std::optional<KeywordDef> Find(std::string_view name) const;

  // The rule of the first row named `name`; false when there is none.
  // Inline: the checker asks it of every entry.
  bool FindRule(std::string_view name, KeywordRule* rule) const {
    const Slot* slot = Find(name, FoldedNameHash(name));
    if (slot == nullptr) return false;
    *rule = {slot->type(), slot->minimum, slot->maximum};
    return true;
  }

  KeywordDef row(std::size_t i) const;
  // Every row, in order.
  std::vector<KeywordDef> rows() const;
  std::size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }

  // Empties the table and gives back its memory. Tarvex never does this to
  // the process-wide table; tests and tools that load several
  // dictionaries do.
  void Clear();

 private:
  template <class T>
  using Array = std::vector<T, ArenaAllocator<T>>;
  explicit KeywordTable(const std::shared_ptr<Arena>& arena);

  // The index: open addressing over row numbers, keyed by a hash that
  // ignores ASCII case, so that loading a large dictionary costs no
  // allocation per row and a lookup needs no folded copy of the text. A
  // slot holds its row's rule and where its name lies among the names,
  // which are kept packed together: a lookup reads one slot and one name,
  // and a large dictionary's index stays small enough for the caches.
  // Beside the slots, a control byte per slot (seven bits of its hash, or
  // empty) lets one comparison look at sixteen slots: a lookup takes the
  // same few steps however far the probe runs.
  struct alignas(16) Slot {
    uint32_t nameAt = 0;       // in names_
    uint32_t sizeAndType = 0;  // the name's size, times 256, plus the ValueType
    int32_t minimum = 0;
    int32_t maximum = 0;
    std::size_t nameSize() const { return sizeAndType >> 8; }
    ValueType type() const { return static_cast<ValueType>(sizeAndType & 0xFF); }
  };
  static_assert(sizeof(Slot) == 16);
  static constexpr std::size_t kGroup = 16;
  static constexpr uint8_t kEmptyControl = 0x80;
  static uint8_t ControlOf(uint32_t hash) { return static_cast<uint8_t>(hash >> 25); }

  // The slot of the first row named `name`, or nullptr.
  const Slot* Find(std::string_view name, uint32_t hash) const {
    if (slots_.empty()) return nullptr;
    const std::size_t mask = slots_.size() - 1;
    const uint8_t control = ControlOf(hash);
    const char* const names = names_.data();
    for (std::size_t pos = hash & mask;; pos = (pos + kGroup) & mask) {
      const uint8_t* group = control_.data() + pos;
      for (uint32_t hits = MatchSixteen(group, control); hits != 0; hits &= hits - 1) {
        const Slot& slot = slots_[(pos + static_cast<std::size_t>(std::countr_zero(hits))) & mask];
        if (slot.nameSize() == name.size() &&
            FoldedNamesEqual({names + slot.nameAt, slot.nameSize()}, name)) {
          return &slot;
        }
      }
      if (MatchSixteen(group, kEmptyControl) != 0) return nullptr;
    }
  }
  // The slot that holds `name`, or the empty slot where it would go.
  std::size_t Probe(std::string_view name, uint32_t hash) const;
  // The first empty slot where `hash` is looked up.
  std::size_t FirstEmpty(uint32_t hash) const;
  void Enter(std::size_t slot, uint32_t hash, std::size_t row);
  void SetControl(std::size_t slot, uint8_t control);
  void GrowTo(std::size_t rows);

  // The arrays below share one arena, which also holds the rows' bytes
  // (Keep, KeepRoom): keeping more never moves what is kept.
  // Each row's line: beyond its text, a large dictionary costs only these
  // and the slots.
  Array<KeptLine> lines_;
  Array<Slot> slots_;  // a power of two long, at most two thirds full
  // Each slot's row number, apart: only FindIndex needs it.
  Array<uint32_t> slotRows_;
  // The indexed rows' names, one after another.
  Array<char> names_;
  // A byte per slot, then the first kGroup - 1 again, so that sixteen can
  // be read from any slot on.
  Array<uint8_t> control_;
};

// The one process-wide table, empty until LoadKeywordFile fills it.
KeywordTable& GlobalKeywordTable();

// Sets `*row` to the first row named `name` in the process-wide table (its
// fields live as long as the table's rows) and returns true; returns false
// and leaves `*row` untouched when there is none.
bool FindKeyword(std::string_view name, KeywordDef* row);

// The same lookup in a given table.
bool FindKeyword(const KeywordTable& table, std::string_view name, KeywordDef* row);

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_KEYWORD_TABLE_H_
