#include "checker/text_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "checker/entry_check.h"
#include "checker/entry_syntax.h"
#include "keywords/blanks.h"
#include "keywords/line_pieces.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarvex {
namespace {

// The offset of the first byte in [p, p + n) that is `a` or `b`, or n.
// Sixteen bytes a step where the processor has SSE2 (every x86-64 does),
// else eight in a word.
inline std::size_t FindEither(const char* p, std::size_t n, char a, char b) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const unsigned hits = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb))));
    if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits));
  }
#else
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    // The lowest flagged byte of the zero-byte test is always a true one.
    auto zeroBytes = [](uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    for (; i + 8 <= n; i += 8) {
      uint64_t v;
      std::memcpy(&v, p + i, 8);
      const uint64_t hits = zeroBytes(v ^ (static_cast<unsigned char>(a) * kOnes)) |
                            zeroBytes(v ^ (static_cast<unsigned char>(b) * kOnes));
      if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
    }
  }
#endif
  for (; i < n; ++i) {
    if (p[i] == a || p[i] == b) return i;
  }
  return n;
}

// The scan's walk over the text, one piece after another, as a file read in
// text mode gives them (keywords/line_pieces.h).
class Walk {
 public:
  Walk(std::string_view text, const KeywordTable& table, ScanFaultSink& sink)
      : text_(text), table_(table), sink_(sink) {}

  ScanOutcome Run();

 private:
  // The piece at `pos_`: its content [pos_, contentEnd_) and the next
  // piece's start. False when a zero byte may fall in it: from there on
  // the plain scan reads the text.
  bool Piece();
  // An entry whose first line is the current piece: true when it is sound,
  // with pos_ and line_ past it.
  bool SoundEntry(std::size_t start);
  // Hands the entry of the current piece to the plain scan; false when the
  // sink ends the scan.
  bool Plain();

  std::string_view text_;
  const KeywordTable& table_;
  ScanFaultSink& sink_;
  ScanOutcome outcome_;
  std::size_t pos_ = 0;
  std::size_t contentEnd_ = 0;
  std::size_t next_ = 0;
  int line_ = 0;
};

bool Walk::Piece() {
  const char* start = text_.data() + pos_;
  const std::size_t left = text_.size() - pos_;
  // A CR LF pair counts as one character, so a line feed 1024 bytes on may
  // still end the piece.
  const std::size_t reach = left < kMaxPieceLength + 1 ? left : kMaxPieceLength + 1;
  const std::size_t k = FindEither(start, reach, '\n', '\0');
  if (k < reach) {
    if (start[k] == '\0') return false;
    const bool crlf = k > 0 && start[k - 1] == '\r';
    if (k + 1 - (crlf ? 1 : 0) <= kMaxPieceLength) {
      contentEnd_ = pos_ + k - (crlf ? 1 : 0);
      next_ = pos_ + k + 1;
      return true;
    }
  }
  next_ = contentEnd_ = pos_ + (left < kMaxPieceLength ? left : kMaxPieceLength);
  return true;
}

bool Walk::SoundEntry(std::size_t start) {
  const char* base = text_.data();
  const std::size_t end = contentEnd_;
  // The first "=", and whether a "{" comes before it.
  std::size_t at = start + FindEither(base + start, end - start, '=', '{');
  if (at == end) return false;  // no "=": a fault
  std::string_view keyword;
  if (base[at] == '{') {
    const std::size_t equals = at + FindEither(base + at, end - at, '=', '=');
    if (equals == end) return false;
    const SourceEntryView parts = SplitEntryView(text_.substr(start, end - start), equals - start);
    if (!IsValidAttribute(parts.attribute)) return false;
    keyword = parts.keyword;
    at = equals;
  } else {
    std::size_t keywordEnd = at;
    while (keywordEnd > start && IsBlank(base[keywordEnd - 1])) --keywordEnd;
    keyword = text_.substr(start, keywordEnd - start);
  }
  if (keyword.empty()) return false;
  std::size_t valueStart = at + 1;
  std::size_t valueEnd = end;
  while (valueStart < valueEnd && IsBlank(base[valueStart])) ++valueStart;
  while (valueEnd > valueStart && IsBlank(base[valueEnd - 1])) --valueEnd;
  const std::string_view value = text_.substr(valueStart, valueEnd - valueStart);

  KeywordRule rule;
  if (!table_.FindRule(keyword, &rule)) return false;
  const bool continued = !value.empty() && value.back() == '\\';
  if (CheckValue(rule, value, continued) != CheckResult::Ok) return false;
  if (!continued) {
    pos_ = next_;
    return true;
  }
  // The joined value ends where a continuation line's last non-blank is not
  // a backslash (a blank line leaves it ending in one), or with the text.
  // Only a string entry gets here, and its value is not looked at again.
  const std::size_t firstStart = pos_, firstEnd = contentEnd_, firstNext = next_;
  int taken = 0;
  std::size_t after = next_;
  while (after < text_.size()) {
    pos_ = after;
    if (!Piece()) {
      // A zero byte: the plain scan takes the entry, whole.
      pos_ = firstStart;
      contentEnd_ = firstEnd;
      next_ = firstNext;
      return false;
    }
    ++taken;
    std::size_t last = contentEnd_;
    while (last > pos_ && IsBlank(base[last - 1])) --last;
    after = next_;
    if (last > pos_ && base[last - 1] != '\\') break;
  }
  pos_ = after;
  line_ += taken;
  return true;
}

bool Walk::Plain() {
  TextPieceSource rest(text_, ReadMode::kText, next_);
  SourcePiece first;
  first.text = text_.substr(pos_, contentEnd_ - pos_);
  first.lineEnd = next_ > contentEnd_;
  bool content = false;
  ScanFault fault;
  const int taken = ScanLine(rest, first, line_, table_, &content, &fault);
  pos_ = rest.position();
  line_ += taken;
  return fault.messageId == 0 || sink_.OnFault(std::move(fault));
}

ScanOutcome Walk::Run() {
  while (pos_ < text_.size()) {
    if (!Piece()) {
      // A zero byte cuts pieces short: the plain scan reads from here on.
      TextPieceSource rest(text_, ReadMode::kText, pos_);
      const ScanOutcome tail = ScanSource(rest, table_, sink_, line_);
      outcome_.contentSeen = outcome_.contentSeen || tail.contentSeen;
      outcome_.stopped = tail.stopped;
      return outcome_;
    }
    ++line_;
    std::size_t start = pos_;
    while (start < contentEnd_ && IsBlank(text_[start])) ++start;
    if (start == contentEnd_) {
      pos_ = next_;
      continue;
    }
    outcome_.contentSeen = true;
    if (text_[start] == ';' || text_[start] == '[') {
      pos_ = next_;
      continue;
    }
    if (!SoundEntry(start) && !Plain()) {
      outcome_.stopped = true;
      break;
    }
  }
  return outcome_;
}

}  // namespace

ScanOutcome ScanSourceText(std::string_view text, const KeywordTable& table, ScanFaultSink& sink) {
  return Walk(text, table, sink).Run();
}

}  // namespace tarvex
