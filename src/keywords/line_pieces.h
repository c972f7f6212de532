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

#include <string>
#include <string_view>

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
  explicit TextPieceSource(std::string_view text, ReadMode mode = ReadMode::kText);
  // The pieces from offset `start` on, which must be where a piece begins.
  TextPieceSource(std::string_view text, ReadMode mode, std::size_t start);
  bool Next(SourcePiece* piece) override;

  // Offset in the text of the byte after the last piece read.
  std::size_t position() const { return pos_; }

 private:
  std::string_view text_;
  ReadMode mode_;
  bool anyZero_;  // whether pieces need a search for a zero byte at all
  std::size_t pos_ = 0;
};

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_LINE_PIECES_H_
