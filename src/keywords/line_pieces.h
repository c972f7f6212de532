// The line pieces of a text file (a policy source, keyword.txt), from the
// file or from text in memory.
//
// Both sources yield exactly what a 1024-byte line buffer reading the file
// in text mode yields (keywords/line_reader.h): at most 1023 characters,
// ending after a line feed; CR LF read as LF, a lone CR kept; each piece
// cut at its first zero byte. A piece is handed over without its line
// feed, with a flag saying whether it had one, so that a piece in memory
// needs no copy.
#ifndef TARVEX_KEYWORDS_LINE_PIECES_H_
#define TARVEX_KEYWORDS_LINE_PIECES_H_

#include <cstring>
#include <string>
#include <string_view>

#include "keywords/byte_search.h"
#include "keywords/line_reader.h"

namespace tarvex {

struct SourcePiece {
  std::string_view text;  // the piece less its line feed; lives until the next read
  bool lineEnd = false;   // the piece ended with a line feed (not cut off by a zero byte)
};

class PieceSource {
 public:
  virtual ~PieceSource() = default;
  // The next piece; false at the end.
  virtual bool Next(SourcePiece* piece) = 0;
};

// The pieces of an open LineReader.
class FilePieceSource : public PieceSource {
 public:
  explicit FilePieceSource(LineReader& reader) : reader_(reader) {}
  bool Next(SourcePiece* piece) override;

 private:
  LineReader& reader_;
  std::string buffer_;
};

// The pieces that reading a file holding `text` in `mode` would give;
// `text` must outlive the source. In binary mode a carriage return is an
// ordinary byte, so a piece's text plus its line feed (when it had one) is
// exactly the bytes it was read from, up to a zero byte.
class TextPieceSource : public PieceSource {
 public:
  explicit TextPieceSource(std::string_view text, ReadMode mode = ReadMode::kText)
      : text_(text), mode_(mode) {}
  // The pieces from offset `start` on, which must be where a piece begins.
  TextPieceSource(std::string_view text, ReadMode mode, std::size_t start)
      : text_(text), mode_(mode), pos_(start) {}
  bool Next(SourcePiece* piece) final;

  // Offset in the text of the byte after the last piece read.
  std::size_t position() const { return pos_; }

 private:
  std::string_view text_;
  ReadMode mode_;
  std::size_t pos_ = 0;
};

// Inline: the loops that read every line of a text call it directly.
inline bool TextPieceSource::Next(SourcePiece* piece) {
  if (pos_ >= text_.size()) return false;
  const char* start = text_.data() + pos_;
  const std::size_t left = text_.size() - pos_;
  // In text mode a line feed within 1024 raw bytes may still end the piece:
  // a CR LF pair counts as one character.
  const std::size_t reach = mode_ == ReadMode::kText ? kMaxPieceLength + 1 : kMaxPieceLength;
  const std::size_t window = left < reach ? left : reach;
  // One search finds the line feed and tells whether a zero byte comes
  // before it; only a text that holds one needs a second look.
  std::size_t at = FindEither(start, window, left, '\n', '\0');
  std::size_t zero = window;
  if (at < window && start[at] == '\0') {
    zero = at;
    const void* found = std::memchr(start + at, '\n', window - at);
    at = found != nullptr ? static_cast<const char*>(found) - start : window;
  }
  const void* lf = at < window ? start + at : nullptr;
  std::size_t consumed;
  std::size_t contentLength;
  bool lineEnd = false;
  if (lf != nullptr) {
    const std::size_t k = static_cast<const char*>(lf) - start;
    const bool crlf = mode_ == ReadMode::kText && k > 0 && start[k - 1] == '\r';
    if (k + 1 - (crlf ? 1 : 0) <= kMaxPieceLength) {
      consumed = k + 1;
      contentLength = crlf ? k - 1 : k;
      lineEnd = true;
    } else {
      consumed = contentLength = kMaxPieceLength;
    }
  } else {
    consumed = contentLength = left < kMaxPieceLength ? left : kMaxPieceLength;
  }
  pos_ += consumed;
  if (zero < consumed) {
    contentLength = zero;
    lineEnd = false;
  }
  piece->text = std::string_view(start, contentLength);
  piece->lineEnd = lineEnd;
  return true;
}

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_LINE_PIECES_H_
