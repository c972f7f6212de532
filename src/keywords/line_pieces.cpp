#include "keywords/line_pieces.h"

#include <cstring>

namespace tarvex {

bool FilePieceSource::Next(SourcePiece* piece) {
  if (!reader_.ReadPiece(&buffer_)) return false;
  std::string_view text = buffer_;
  piece->lineEnd = !text.empty() && text.back() == '\n';
  if (piece->lineEnd) text.remove_suffix(1);
  piece->text = text;
  return true;
}

TextPieceSource::TextPieceSource(std::string_view text, ReadMode mode)
    : text_(text),
      mode_(mode),
      anyZero_(!text.empty() && std::memchr(text.data(), '\0', text.size()) != nullptr) {}

TextPieceSource::TextPieceSource(std::string_view text, ReadMode mode, std::size_t start)
    // Each piece is searched for a zero byte: exact, and no search of the
    // whole text for a source that starts late.
    : text_(text), mode_(mode), anyZero_(true), pos_(start) {}

bool TextPieceSource::Next(SourcePiece* piece) {
  if (pos_ >= text_.size()) return false;
  const char* start = text_.data() + pos_;
  const std::size_t left = text_.size() - pos_;
  // In text mode a line feed within 1024 raw bytes may still end the piece:
  // a CR LF pair counts as one character.
  const std::size_t reach = mode_ == ReadMode::kText ? kMaxPieceLength + 1 : kMaxPieceLength;
  const std::size_t window = left < reach ? left : reach;
  const void* lf = std::memchr(start, '\n', window);
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
  const void* zero = anyZero_ ? std::memchr(start, '\0', consumed) : nullptr;
  if (zero != nullptr) {
    contentLength = static_cast<const char*>(zero) - start;
    lineEnd = false;
  }
  piece->text = std::string_view(start, contentLength);
  piece->lineEnd = lineEnd;
  return true;
}

}  // namespace tarvex
