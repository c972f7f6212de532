#include "keywords/keyword_table.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "keywords/ascii_case.h"
#include "keywords/blanks.h"
#include "keywords/keyword_line.h"

namespace tarvex {

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHigh = 0x8080808080808080ull;
constexpr uint64_t kCaseBits = 0x2020202020202020ull;

// The bytes [at, at + n) of `text` (n from 1 to 8) in one word, zero-filled
// above, the first byte lowest.
inline uint64_t Word(const char* p, std::size_t n) {
  uint64_t v = 0;
  if constexpr (std::endian::native == std::endian::little) {
    if (n == 8) {
      std::memcpy(&v, p, 8);
      return v;
    }
  }
  for (std::size_t i = n; i-- > 0;) v = v << 8 | static_cast<unsigned char>(p[i]);
  return v;
}

// The last n (1 to 7) bytes of a text of at least 8 bytes ending at `end`:
// one load of the last eight, shifted; a load of n bytes would call the
// library.
inline uint64_t TailWord(const char* end, std::size_t n) {
  if constexpr (std::endian::native == std::endian::little) {
    uint64_t v;
    std::memcpy(&v, end - 8, 8);
    return v >> (8 * (8 - n));
  } else {
    return Word(end - n, n);
  }
}

// Calls f(word) for each eight bytes of `text`, the last ones zero-filled.
template <typename F>
inline void ForEachWord(std::string_view text, F f) {
  const char* p = text.data();
  std::size_t n = text.size();
  for (; n >= 8; p += 8, n -= 8) f(Word(p, 8));
  if (n > 0) f(text.size() >= 8 ? TailWord(p + n, n) : Word(p, n));
}

// Whether two words are equal with the ASCII capitals of both made small.
inline bool FoldedWordsEqual(uint64_t a, uint64_t b) {
  const uint64_t diff = a ^ b;
  if (diff == 0) return true;
  // Only the case bit may differ, and only in letters.
  if ((diff & ~kCaseBits) != 0) return false;
  const uint64_t small = a | kCaseBits;
  const uint64_t low7 = small & ~kHigh;
  const uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;
  const uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kOnes;
  const uint64_t letters = atLeastA & ~aboveZ & ~small & kHigh;
  return ((diff << 2) & ~letters) == 0;
}

// EqualsIgnoreAsciiCase, a word at a time: every lookup ends in one.
bool FoldedEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const std::size_t n = a.size();
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    if (!FoldedWordsEqual(Word(a.data() + i, 8), Word(b.data() + i, 8))) return false;
  }
  if (i == n) return true;
  const std::size_t rest = n - i;
  if (n >= 8) return FoldedWordsEqual(TailWord(a.data() + n, rest), TailWord(b.data() + n, rest));
  return FoldedWordsEqual(Word(a.data() + i, rest), Word(b.data() + i, rest));
}

void PrefetchLine(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(p);
#else
  (void)p;
#endif
}

}  // namespace

uint32_t KeywordTable::NameHash(std::string_view name) {
  // Setting bit 5 of every byte makes a capital and its small letter alike
  // (and a few other pairs, which only the comparison tells apart).
  uint64_t h = 0x2545F4914F6CDD1Dull ^ name.size();
  ForEachWord(name, [&h](uint64_t w) {
    // The high half of a product depends on every byte; fold it down so
    // that the last bytes of a word (often the digits that tell names
    // apart) reach the low bits the index uses.
    h = (h ^ (w | kCaseBits)) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 32;
  });
  h *= 0xFF51AFD7ED558CCDull;
  return static_cast<uint32_t>(h >> 32);
}

KeywordTable::KeptLine KeywordTable::KeptLine::Of(std::string_view line) {
  // Blanks before the name are left out, so that the name starts the text.
  line = LeadingBlanksSkipped(line);
  return {line.data(), static_cast<uint32_t>(KeywordLineName(line).size()),
          static_cast<uint32_t>(line.size())};
}

std::size_t KeywordTable::Probe(std::string_view name, uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.rowPlusOne == 0) return i;
    if (slot.hash == hash && FoldedEqual(lines_[slot.rowPlusOne - 1].name(), name)) return i;
  }
}

void KeywordTable::GrowTo(std::size_t rows) {
  std::size_t size = slots_.empty() ? 64 : slots_.size();
  while (rows * 3 > size * 2) size *= 2;
  if (size == slots_.size()) return;
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(size, Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.rowPlusOne == 0) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].rowPlusOne != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

KeywordTable::KeywordTable(const KeywordTable& other) {
  *this = other;
}

KeywordTable& KeywordTable::operator=(const KeywordTable& other) {
  if (this == &other) return *this;
  // The other table's bytes are not shared: copy them.
  Clear();
  std::vector<KeptLine> lines;
  lines.reserve(other.lines_.size());
  for (const KeptLine& line : other.lines_) {
    lines.push_back(KeptLine::Of(Keep(std::string(line.whole()))));
  }
  AppendKeptLines(std::move(lines));
  return *this;
}

bool KeywordTable::Append(const KeywordDef& row) {
  const std::string_view fields[] = {row.name, row.type, row.minimum, row.maximum};
  for (std::string_view field : fields) {
    if (field.find(',') != std::string_view::npos || BlanksTrimmed(field).size() != field.size()) {
      return false;
    }
  }
  if (row.name.starts_with(';')) return false;  // a comment line
  std::string line;
  line.reserve(row.name.size() + row.type.size() + row.minimum.size() + row.maximum.size() + 3);
  line.append(row.name).append(",").append(row.type).append(",");
  line.append(row.minimum).append(",").append(row.maximum);
  AppendKeptLines({KeptLine::Of(Keep(std::move(line)))});
  return true;
}

std::string_view KeywordTable::Keep(std::string bytes) {
  return kept_.emplace_back(std::move(bytes));
}

void KeywordTable::AppendKeptLines(std::vector<KeptLine> lines) {
  const std::size_t first = lines_.size();
  const std::size_t count = lines.size();
  if (lines_.empty()) {
    lines_ = std::move(lines);
  } else {
    lines_.insert(lines_.end(), lines.begin(), lines.end());
  }
  GrowTo(lines_.size());
  // The rows are entered in file order, each slot's cache line fetched a
  // few rows ahead (its hash kept in a small ring until then): the index
  // outgrows the caches for a large dictionary, and its places are random.
  // (Sorting the rows by place instead cost more than the misses it saved.)
  constexpr std::size_t kAhead = 8;
  uint32_t ahead[kAhead];
  const std::size_t mask = slots_.size() - 1;
  auto fetch = [&](std::size_t k) {
    ahead[k % kAhead] = NameHash(lines_[first + k].name());
    PrefetchLine(&slots_[ahead[k % kAhead] & mask]);
  };
  for (std::size_t k = 0; k < kAhead && k < count; ++k) fetch(k);
  for (std::size_t k = 0; k < count; ++k) {
    const uint32_t hash = ahead[k % kAhead];
    if (k + kAhead < count) fetch(k + kAhead);
    const std::size_t r = first + k;
    const std::size_t i = Probe(lines_[r].name(), hash);
    // An occupied slot holds an earlier row of this name: that one stays the one found.
    if (slots_[i].rowPlusOne != 0) continue;
    KeywordDef def;
    ParseKeywordLine(lines_[r].whole(), &def);
    const KeywordRule rule = RuleOfRow(def);
    Slot& slot = slots_[i];
    slot.hash = hash;
    slot.rowPlusOne = static_cast<uint32_t>(r + 1);
    slot.type = static_cast<uint32_t>(rule.type);
    slot.minimum = rule.minimum;
    slot.maximum = rule.maximum;
  }
}

std::size_t KeywordTable::FindIndex(std::string_view name) const {
  if (slots_.empty()) return kNotFound;
  const Slot& slot = slots_[Probe(name, NameHash(name))];
  return slot.rowPlusOne == 0 ? kNotFound : slot.rowPlusOne - 1;
}

bool KeywordTable::FindRule(std::string_view name, KeywordRule* rule) const {
  return FindRule(name, NameHash(name), rule);
}

bool KeywordTable::FindRule(std::string_view name, uint32_t hash, KeywordRule* rule) const {
  if (slots_.empty()) return false;
  const Slot& slot = slots_[Probe(name, hash)];
  if (slot.rowPlusOne == 0) return false;
  rule->type = static_cast<ValueType>(slot.type);
  rule->minimum = slot.minimum;
  rule->maximum = slot.maximum;
  return true;
}

void KeywordTable::Prefetch(uint32_t hash) const {
  if (!slots_.empty()) PrefetchLine(&slots_[hash & (slots_.size() - 1)]);
}

std::optional<KeywordDef> KeywordTable::Find(std::string_view name) const {
  const std::size_t i = FindIndex(name);
  if (i == kNotFound) return std::nullopt;
  return row(i);
}

KeywordDef KeywordTable::row(std::size_t i) const {
  KeywordDef def;
  ParseKeywordLine(lines_[i].whole(), &def);
  return def;
}

std::vector<KeywordDef> KeywordTable::rows() const {
  std::vector<KeywordDef> all;
  all.reserve(lines_.size());
  for (std::size_t i = 0; i < lines_.size(); ++i) all.push_back(row(i));
  return all;
}

void KeywordTable::Clear() {
  lines_.clear();
  slots_.clear();
  kept_.clear();
}

KeywordTable& GlobalKeywordTable() {
  static KeywordTable table;
  return table;
}

bool FindKeyword(const KeywordTable& table, std::string_view name, KeywordDef* row) {
  const std::optional<KeywordDef> found = table.Find(name);
  if (!found) return false;
  *row = *found;
  return true;
}

bool FindKeyword(std::string_view name, KeywordDef* row) {
  return FindKeyword(GlobalKeywordTable(), name, row);
}

}  // namespace tarvex
