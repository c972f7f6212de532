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

}  // namespace tarvex
