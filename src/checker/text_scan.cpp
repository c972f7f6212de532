#include "checker/text_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "checker/entry_check.h"
#include "keywords/blanks.h"
#include "keywords/byte_search.h"
#include "keywords/folded_name.h"
#include "keywords/line_pieces.h"

namespace tarvex {
namespace {

// Whether an attribute is "default" or "policy" (IsValidAttribute). Both
// words are letters only, and a byte with bit 5 set equals a small letter
// only when it is that letter in either case: one OR folds the attribute.
inline bool AcceptedAttribute(std::string_view a) {
  if (a.size() != 7 && a.size() != 6) return false;
  const uint64_t folded =
      folded_name::Word(a.data(), a.size()) | folded_name::kCaseBits >> (64 - 8 * a.size());
  constexpr uint64_t kDefault = folded_name::WordOf("default");
  constexpr uint64_t kPolicy = folded_name::WordOf("policy");
  return folded == (a.size() == 7 ? kDefault : kPolicy);
}

// The scan's walk over the text, one piece after another, as a file read in
// text mode gives them (keywords/line_pieces.h). Each sound-looking entry's
// lookup waits in a ring while the walk reads on, its place in the index
// and then the row's name fetched into the cache meanwhile: a large
// dictionary's rows lie far apart, and every lookup would otherwise wait
// for the memory twice.
class Walk {
 public:
  Walk(std::string_view text, const KeywordTable& table, ScanFaultSink& sink)
      : text_(text), table_(table), sink_(sink) {}

  ScanOutcome Run();

 private:
  // The walk to the end; false when the sink ended it. Entries may still
  // wait for their lookups.
  bool Scan();

  // An entry's first piece.
  struct Piece {
    std::size_t start = 0;       // where it begins in the text
    std::size_t contentEnd = 0;  // its content is [start, contentEnd)
    std::size_t next = 0;        // where the next piece begins
    int line = 0;
  };
  // An entry whose syntax is sound, waiting for its lookup.
  struct Pending {
    std::string_view keyword;
    std::string_view value;
    uint32_t hash = 0;
    bool continued = false;
    Piece first;
  };
  static constexpr std::size_t kRing = 16;  // lookups on their way
  static constexpr std::size_t kNamesAhead = kRing / 2;

  // The piece at `pos_` (into piece_). False when a zero byte may fall in
  // it: from there on the plain scan reads the text.
  bool NextPiece();
  // The entry whose first piece is piece_, its first non-blank at `start`:
  // true when its syntax is sound, its lookup queued and the walk past it.
  bool QueueEntry(std::size_t start);
  // Looks up and checks the oldest queued entry; false when the sink ends
  // the scan.
  bool Resolve();
  bool Drain();
  // Hands the entry of `first` to the plain scan, which reports its fault
  // (if it has one); returns the offset after the entry, or npos when the
  // sink ends the scan.
  std::size_t Plain(const Piece& first, int* taken);

  std::string_view text_;
  const KeywordTable& table_;
  ScanFaultSink& sink_;
  ScanOutcome outcome_;
  std::size_t pos_ = 0;
  int line_ = 0;
  Piece piece_;
  Pending ring_[kRing];
  std::size_t queued_ = 0, named_ = 0, resolved_ = 0;
};

bool Walk::NextPiece() {
  const char* start = text_.data() + pos_;
  const std::size_t left = text_.size() - pos_;
  // A CR LF pair counts as one character, so a line feed 1024 bytes on may
  // still end the piece.
  const std::size_t reach = left < kMaxPieceLength + 1 ? left : kMaxPieceLength + 1;
  const std::size_t k = FindEither(start, reach, left, '\n', '\0');
  piece_.start = pos_;
  if (k < reach) {
    if (start[k] == '\0') return false;
    const bool crlf = k > 0 && start[k - 1] == '\r';
    if (k + 1 - (crlf ? 1 : 0) <= kMaxPieceLength) {
      piece_.contentEnd = pos_ + k - (crlf ? 1 : 0);
      piece_.next = pos_ + k + 1;
      return true;
    }
  }
  piece_.next = piece_.contentEnd = pos_ + (left < kMaxPieceLength ? left : kMaxPieceLength);
  return true;
}

bool Walk::QueueEntry(std::size_t start) {
  const char* base = text_.data();
  const std::size_t end = piece_.contentEnd;
  const std::size_t size = text_.size();
  // The first "=", and whether a "{" comes before it.
  std::size_t equals = start + FindEither(base + start, end - start, size - start, '=', '{');
  if (equals == end) return false;  // no "=": a fault
  std::size_t keywordEnd = equals;
  if (base[equals] == '{') {
    const std::size_t open = equals;
    equals = open + FindEither(base + open, end - open, size - open, '=', '=');
    if (equals == end) return false;
    keywordEnd = equals;
    // An attribute only when a "}" follows the "{" before the "=".
    std::size_t close = equals;
    while (close > open + 1 && base[close - 1] != '}') --close;
    if (close > open + 1) {
      --close;
      auto trimmed = [&](std::size_t from, std::size_t to) {
        return BlanksTrimmed(text_.substr(from, to - from));
      };
      std::string_view attribute = trimmed(open + 1, close);
      if (!trimmed(close + 1, equals).empty()) attribute = trimmed(open + 1, equals);
      if (!AcceptedAttribute(attribute)) return false;
      keywordEnd = open;
    }
  }
  while (keywordEnd > start && IsBlank(base[keywordEnd - 1])) --keywordEnd;
  if (keywordEnd == start) return false;  // a blank keyword
  std::size_t valueStart = equals + 1;
  std::size_t valueEnd = end;
  while (valueStart < valueEnd && IsBlank(base[valueStart])) ++valueStart;
  while (valueEnd > valueStart && IsBlank(base[valueEnd - 1])) --valueEnd;

  Pending& entry = ring_[queued_ % kRing];
  entry.keyword = text_.substr(start, keywordEnd - start);
  entry.value = text_.substr(valueStart, valueEnd - valueStart);
  entry.continued = valueEnd > valueStart && base[valueEnd - 1] == '\\';
  entry.first = piece_;
  pos_ = piece_.next;
  if (entry.continued) {
    // The joined value ends where a continuation line's last non-blank is
    // not a backslash (a blank line leaves it ending in one), or with the
    // text. Whatever the joined text, the entry's check needs none of it
    // unless it fails, and then the plain scan joins it.
    int taken = 0;
    while (pos_ < text_.size()) {
      if (!NextPiece()) {
        // A zero byte: the plain scan takes the entry, whole.
        pos_ = entry.first.start;
        piece_ = entry.first;
        return false;
      }
      ++taken;
      std::size_t last = piece_.contentEnd;
      while (last > piece_.start && IsBlank(base[last - 1])) --last;
      pos_ = piece_.next;
      if (last > piece_.start && base[last - 1] != '\\') break;
    }
    line_ += taken;
  }
  entry.hash = KeywordTable::NameHash(entry.keyword);
  table_.PrefetchSlot(entry.hash);
  ++queued_;
  if (queued_ - named_ > kNamesAhead) table_.PrefetchName(ring_[named_++ % kRing].hash);
  return true;
}

bool Walk::Resolve() {
  const Pending& entry = ring_[resolved_++ % kRing];
  if (named_ < resolved_) named_ = resolved_;
  KeywordRule rule;
  if (table_.FindRule(entry.keyword, entry.hash, &rule) &&
      CheckValue(rule, entry.value, entry.continued) == CheckResult::Ok) {
    return true;
  }
  int taken = 0;
  return Plain(entry.first, &taken) != std::string_view::npos;
}

bool Walk::Drain() {
  while (resolved_ < queued_) {
    if (!Resolve()) return false;
  }
  return true;
}

std::size_t Walk::Plain(const Piece& first, int* taken) {
  TextPieceSource rest(text_, ReadMode::kText, first.next);
  SourcePiece piece;
  piece.text = text_.substr(first.start, first.contentEnd - first.start);
  piece.lineEnd = first.next > first.contentEnd;
  bool content = false;
  ScanFault fault;
  *taken = ScanLine(rest, piece, first.line, table_, &content, &fault);
  if (fault.messageId != 0 && !sink_.OnFault(std::move(fault))) return std::string_view::npos;
  return rest.position();
}

ScanOutcome Walk::Run() {
  outcome_.stopped = !Walk::Scan() || !Drain();
  return outcome_;
}

bool Walk::Scan() {
  while (pos_ < text_.size()) {
    if (!NextPiece()) {
      // A zero byte cuts pieces short: the plain scan reads from here on.
      if (!Drain()) return false;
      TextPieceSource rest(text_, ReadMode::kText, pos_);
      const ScanOutcome tail = ScanSource(rest, table_, sink_, line_);
      outcome_.contentSeen = outcome_.contentSeen || tail.contentSeen;
      return !tail.stopped;
    }
    piece_.line = ++line_;
    std::size_t start = pos_;
    while (start < piece_.contentEnd && IsBlank(text_[start])) ++start;
    if (start == piece_.contentEnd) {
      pos_ = piece_.next;
      continue;
    }
    outcome_.contentSeen = true;
    if (text_[start] == ';' || text_[start] == '[') {
      pos_ = piece_.next;
      continue;
    }
    if (QueueEntry(start)) {
      if (queued_ - resolved_ == kRing && !Resolve()) return false;
      continue;
    }
    // A fault the lookups cannot see: the earlier entries report first.
    if (!Drain()) return false;
    int taken = 0;
    pos_ = Plain(piece_, &taken);
    if (pos_ == std::string_view::npos) return false;
    line_ += taken;
  }
  return true;
}

}  // namespace

ScanOutcome ScanSourceText(std::string_view text, const KeywordTable& table, ScanFaultSink& sink) {
  return Walk(text, table, sink).Run();
}

}  // namespace tarvex
