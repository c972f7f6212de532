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

// Whether an attribute is "default" or "policy" (IsValidAttribute), both
// words of letters only.
inline bool AcceptedAttribute(std::string_view a) {
  if (a.size() != 7 && a.size() != 6) return false;
  const uint64_t folded = folded_name::FoldedLetters(a.data(), a.size());
  constexpr uint64_t kDefault = folded_name::WordOf("default");
  constexpr uint64_t kPolicy = folded_name::WordOf("policy");
  return folded == (a.size() == 7 ? kDefault : kPolicy);
}

// The scan's walk over the text, one piece after another, as a file read in
// text mode gives them (keywords/line_pieces.h).
class Walk {
 public:
  Walk(std::string_view text, const KeywordTable& table, ScanFaultSink& sink)
      : text_(text), table_(table), sink_(sink) {}

  ScanOutcome Run();

 private:
  // A piece: its content [start, contentEnd) and where the next begins.
  struct Piece {
    std::size_t start = 0;
    std::size_t contentEnd = 0;
    std::size_t next = 0;
  };

  // The piece at `at`. False when a zero byte may fall in it: from there
  // on the plain scan reads the text.
  bool PieceAt(std::size_t at, Piece* piece) const;
  // The entry whose first piece is `first`, its first non-blank at
  // `start`: true when it is sound, with the walk past it.
  bool SoundEntry(const Piece& first, std::size_t start);
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
};

inline bool Walk::PieceAt(std::size_t at, Piece* piece) const {
  const char* start = text_.data() + at;
  const std::size_t left = text_.size() - at;
  // A CR LF pair counts as one character, so a line feed 1024 bytes on may
  // still end the piece.
  const std::size_t reach = left < kMaxPieceLength + 1 ? left : kMaxPieceLength + 1;
  const std::size_t k = FindEither(start, reach, left, '\n', '\0');
  piece->start = at;
  if (k < reach) {
    if (start[k] == '\0') return false;
    const std::size_t cr = k > 0 && start[k - 1] == '\r' ? 1 : 0;
    if (k + 1 - cr <= kMaxPieceLength) {
      piece->contentEnd = at + k - cr;
      piece->next = at + k + 1;
      return true;
    }
  }
  piece->next = piece->contentEnd = at + (left < kMaxPieceLength ? left : kMaxPieceLength);
  return true;
}

inline bool Walk::SoundEntry(const Piece& first, std::size_t start) {
  const char* base = text_.data();
  const std::size_t end = first.contentEnd;
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
  const bool continued = valueEnd > valueStart && base[valueEnd - 1] == '\\';

  std::size_t after = first.next;
  int taken = 0;
  if (continued) {
    // The joined value ends where a continuation line's last non-blank is
    // not a backslash (a blank line leaves it ending in one), or with the
    // text. Whatever the joined text, the entry's check needs none of it
    // unless it fails, and then the plain scan joins it.
    Piece piece;
    while (after < size) {
      // A zero byte: the plain scan takes the entry, whole.
      if (!PieceAt(after, &piece)) return false;
      ++taken;
      std::size_t last = piece.contentEnd;
      while (last > piece.start && IsBlank(base[last - 1])) --last;
      after = piece.next;
      if (last > piece.start && base[last - 1] != '\\') break;
    }
  }
  KeywordRule rule;
  if (!table_.FindRule(text_.substr(start, keywordEnd - start), &rule)) return false;
  if (rule.type != ValueType::kString &&
      CheckValue(rule, text_.substr(valueStart, valueEnd - valueStart), continued) !=
          CheckResult::Ok) {
    return false;
  }
  pos_ = after;
  line_ += taken;
  return true;
}

std::size_t Walk::Plain(const Piece& first, int* taken) {
  TextPieceSource rest(text_, ReadMode::kText, first.next);
  SourcePiece piece;
  piece.text = text_.substr(first.start, first.contentEnd - first.start);
  piece.lineEnd = first.next > first.contentEnd;
  bool content = false;
  ScanFault fault;
  *taken = ScanLine(rest, piece, line_, table_, &content, &fault);
  if (fault.messageId != 0 && !sink_.OnFault(std::move(fault))) return std::string_view::npos;
  return rest.position();
}

ScanOutcome Walk::Run() {
  Piece piece;
  while (pos_ < text_.size()) {
    if (!PieceAt(pos_, &piece)) {
      // A zero byte cuts pieces short: the plain scan reads from here on.
      TextPieceSource rest(text_, ReadMode::kText, pos_);
      const ScanOutcome tail = ScanSource(rest, table_, sink_, line_);
      outcome_.contentSeen = outcome_.contentSeen || tail.contentSeen;
      outcome_.stopped = tail.stopped;
      return outcome_;
    }
    ++line_;
    std::size_t start = pos_;
    while (start < piece.contentEnd && IsBlank(text_[start])) ++start;
    if (start == piece.contentEnd) {
      pos_ = piece.next;
      continue;
    }
    outcome_.contentSeen = true;
    if (text_[start] == ';' || text_[start] == '[') {
      pos_ = piece.next;
      continue;
    }
    if (SoundEntry(piece, start)) continue;
    int taken = 0;
    pos_ = Plain(piece, &taken);
    if (pos_ == std::string_view::npos) {
      outcome_.stopped = true;
      break;
    }
    line_ += taken;
  }
  return outcome_;
}

}  // namespace

ScanOutcome ScanSourceText(std::string_view text, const KeywordTable& table, ScanFaultSink& sink) {
  return Walk(text, table, sink).Run();
}

}  // namespace tarvex
