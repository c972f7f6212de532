// A text document as the client holds it and as the checker reads it.
//
// The client's text (UTF-8, as it arrives) becomes bytes of code page 1252,
// one byte per character; a character the code page cannot hold becomes
// "?" (it is no fault of its own: "?" is ordinary text to the checker).
// Positions follow the protocol: lines end at CR LF, LF or a lone CR, and
// a column counts UTF-16 code units of the client's text, so a character
// beyond the Basic Multilingual Plane takes two.
#ifndef TARVEX_LSP_DOCUMENT_H_
#define TARVEX_LSP_DOCUMENT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::lsp {

struct Position {
  int line = 0;
  int character = 0;  // UTF-16 code units
};

class Document {
 public:
  explicit Document(std::string_view utf8 = {});

  // The checker's view of the text: one byte per character of the client's text.
  const std::string& bytes() const { return bytes_; }

  // The position of a byte offset (clamped to the text).
  Position PositionOf(std::size_t offset) const;

  // The byte offset of a position; a line beyond the last gives the end of
  // the text, a column beyond its line the line's end.
  std::size_t OffsetOf(Position position) const;

 private:
  // UTF-16 units between two offsets of one line.
  int Utf16Between(std::size_t from, std::size_t to) const;

  std::string bytes_;
  std::vector<std::size_t> lineStarts_;  // offset of each line's first byte
  std::vector<std::size_t> astral_;      // offsets of characters taking two UTF-16 units
};

}  // namespace tarvex::lsp

#endif  // TARVEX_LSP_DOCUMENT_H_
