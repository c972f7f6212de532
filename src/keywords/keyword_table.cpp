#include "keywords/keyword_table.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>

#include "keywords/ascii_case.h"
#include "keywords/blanks.h"
#include "keywords/folded_name.h"
#include "keywords/keyword_line.h"

namespace tarvex {
namespace {

// The index's size for `rows` rows, never below `now`: a power of two, at
// most two thirds full.
std::size_t SlotsFor(std::size_t rows, std::size_t now) {
  std::size_t size = now == 0 ? 64 : now;
  while (rows * 3 > size * 2) size *= 2;
  return size;
}

// Room for `more` elements in `array`, at least doubling it when it grows,
// so that rows appended one at a time cost no copy each.
template <class Array>
void MakeRoom(Array& array, std::size_t more) {
  const std::size_t need = array.size() + more;
  if (need > array.capacity()) array.reserve(std::max(need, 2 * array.capacity()));
}

}  // namespace

std::size_t KeywordTable::RowsExpectedIn(std::size_t fileBytes) {
  return std::min<std::size_t>(fileBytes / 24 + 1, 200000);
}

KeywordTable::KeywordTable() : KeywordTable(std::make_shared<Arena>()) {}

KeywordTable::KeywordTable(const std::shared_ptr<Arena>& arena)
    : lines_(ArenaAllocator<KeptLine>(arena)),
      slots_(ArenaAllocator<Slot>(arena)),
      slotRows_(ArenaAllocator<uint32_t>(arena)),
      names_(ArenaAllocator<char>(arena)),
      control_(ArenaAllocator<uint8_t>(arena)) {}

KeywordTable::KeptLine KeywordTable::KeptLine::Of(std::string_view line) {
  return Of(line, line.size());
}

KeywordTable::KeptLine KeywordTable::KeptLine::Of(std::string_view line, std::size_t room) {
  // Blanks before the name are left out, so that the name starts the text.
  const std::string_view text = LeadingBlanksSkipped(line);
  room -= static_cast<std::size_t>(text.data() - line.data());
  return {text.data(), static_cast<uint32_t>(KeywordLineName(text, room).size()),
          static_cast<uint32_t>(text.size())};
}

std::size_t KeywordTable::Probe(std::string_view name, uint32_t hash) const {
  const Slot* found = Find(name, hash);
  if (found != nullptr) return static_cast<std::size_t>(found - slots_.data());
  return FirstEmpty(hash);
}

std::size_t KeywordTable::FirstEmpty(uint32_t hash) const {
  // The groups a lookup of this hash looks at, in its order.
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t pos = hash & mask;; pos = (pos + kGroup) & mask) {
    const uint32_t empties = MatchSixteen(control_.data() + pos, kEmptyControl);
    if (empties != 0) return (pos + static_cast<std::size_t>(std::countr_zero(empties))) & mask;
  }
}

void KeywordTable::SetControl(std::size_t i, uint8_t control) {
  control_[i] = control;
  if (i < kGroup - 1) control_[slots_.size() + i] = control;
}

void KeywordTable::Enter(std::size_t i, uint32_t hash, std::size_t row) {
  const KeptLine& line = lines_[row];
  const KeywordRule rule = RuleOfLine(line.whole(), line.nameSize);
  Slot& slot = slots_[i];
  SetControl(i, ControlOf(hash));
  slot.nameAt = static_cast<uint32_t>(names_.size());
  slot.sizeAndType = line.nameSize << 8 | static_cast<uint32_t>(rule.type);
  slot.minimum = rule.minimum;
  slot.maximum = rule.maximum;
  slotRows_[i] = static_cast<uint32_t>(row);
  names_.insert(names_.end(), line.text, line.text + line.nameSize);
}

void KeywordTable::GrowTo(std::size_t rows) {
  const std::size_t size = SlotsFor(rows, slots_.size());
  if (size == slots_.size()) return;
  Array<Slot> old = std::move(slots_);
  Array<uint32_t> oldRows = std::move(slotRows_);
  Array<uint8_t> oldControl = std::move(control_);
  // The moves left empty arrays that still draw on the arena.
  slots_.assign(size, Slot{});
  slotRows_.assign(size, 0);
  control_.assign(size + kGroup - 1, kEmptyControl);
  for (std::size_t k = 0; k < old.size(); ++k) {
    if (oldControl[k] == kEmptyControl) continue;
    const Slot& slot = old[k];
    const uint32_t hash = FoldedNameHash({names_.data() + slot.nameAt, slot.nameSize()});
    const std::size_t i = FirstEmpty(hash);
    slots_[i] = slot;
    slotRows_[i] = oldRows[k];
    SetControl(i, ControlOf(hash));
  }
}

KeywordTable::KeywordTable(const KeywordTable& other) : KeywordTable() {
  *this = other;
}

KeywordTable& KeywordTable::operator=(const KeywordTable& other) {
  if (this == &other) return *this;
  // The other table's bytes are not shared: copy them.
  Clear();
  KeptLines lines = NewKeptLines();
  lines.reserve(other.lines_.size());
  for (const KeptLine& line : other.lines_) {
    lines.push_back(KeptLine::Of(Keep(line.whole())));
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
  if (row.name.size() >= kLongestName) return false;
  std::string line;
  line.reserve(row.name.size() + row.type.size() + row.minimum.size() + row.maximum.size() + 3);
  line.append(row.name).append(",").append(row.type).append(",");
  line.append(row.minimum).append(",").append(row.maximum);
  KeptLines lines = NewKeptLines();
  lines.push_back(KeptLine::Of(Keep(line)));
  AppendKeptLines(std::move(lines));
  return true;
}

std::string_view KeywordTable::Keep(std::string_view bytes) {
  char* copy = KeepRoom(bytes.size());
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, bytes.data(), bytes.size());
  return {copy, bytes.size()};
}

bool KeywordTable::ReserveForFile(std::size_t fileBytes) {
  const std::size_t rows = RowsExpectedIn(fileBytes);
  const std::size_t slots = SlotsFor(lines_.size() + rows, slots_.size());
  // The file, its lines, a new index (the old one stays behind), the names.
  constexpr std::size_t kPerSlot = sizeof(Slot) + sizeof(uint32_t) + 1;
  return lines_.get_allocator().arena()->Reserve(fileBytes + rows * sizeof(KeptLine) +
                                                 slots * kPerSlot + kGroup + fileBytes + 6 * 64);
}

char* KeywordTable::KeepRoom(std::size_t bytes) {
  return static_cast<char*>(lines_.get_allocator().arena()->Allocate(bytes, 1));
}

void KeywordTable::AppendKeptLines(KeptLines lines) {
  const std::size_t first = lines_.size();
  const std::size_t count = lines.size();
  if (lines_.empty()) {
    lines_ = std::move(lines);
  } else {
    lines_.insert(lines_.end(), lines.begin(), lines.end());
  }
  GrowTo(lines_.size());
  std::size_t nameBytes = 0;
  for (std::size_t k = first; k < lines_.size(); ++k) nameBytes += lines_[k].nameSize;
  MakeRoom(names_, nameBytes);
  // The rows are entered in file order, each slot's cache line fetched a
  // few rows ahead (its hash kept in a small ring until then): the index
  // outgrows the caches for a large dictionary, and its places are random.
  // (Sorting the rows by place instead cost more than the misses it saved.)
  constexpr std::size_t kAhead = 8;
  uint32_t ahead[kAhead];
  const std::size_t mask = slots_.size() - 1;
  auto fetch = [&](std::size_t k) {
    ahead[k % kAhead] = FoldedNameHash(lines_[first + k].name());
    const std::size_t at = ahead[k % kAhead] & mask;
    PrefetchAddress(&control_[at]);
    // The row most often lands in the slot where its probe starts.
    PrefetchAddress(&slots_[at]);
    PrefetchAddress(&slotRows_[at]);
  };
  for (std::size_t k = 0; k < kAhead && k < count; ++k) fetch(k);
  for (std::size_t k = 0; k < count; ++k) {
    const uint32_t hash = ahead[k % kAhead];
    if (k + kAhead < count) fetch(k + kAhead);
    const std::size_t r = first + k;
    const std::size_t i = Probe(lines_[r].name(), hash);
    // An occupied slot holds an earlier row of this name: that one stays the one found.
    if (control_[i] == kEmptyControl) Enter(i, hash, r);
  }
}

std::size_t KeywordTable::FindIndex(std::string_view name) const {
  if (slots_.empty()) return kNotFound;
  const std::size_t i = Probe(name, FoldedNameHash(name));
  return control_[i] == kEmptyControl ? kNotFound : slotRows_[i];
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
  // A fresh table: the old arena goes with the last array that drew on it.
  *this = KeywordTable();
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
