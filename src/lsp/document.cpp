#include "lsp/document.h"

#include <algorithm>

#include "platform/code_page_1252.h"

namespace tarvex::lsp {

Document::Document(std::string_view utf8) {
  bytes_ = Utf8ToCp1252(utf8, '?');
  // One byte per character: the character index of every lead byte is its offset.
  std::size_t index = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) == 0x80) continue;
    if (c >= 0xF0) astral_.push_back(index);
    ++index;
  }
  lineStarts_.push_back(0);
  for (std::size_t i = 0; i < bytes_.size(); ++i) {
    if (bytes_[i] == '\n' ||
        (bytes_[i] == '\r' && (i + 1 >= bytes_.size() || bytes_[i + 1] != '\n'))) {
      lineStarts_.push_back(i + 1);
    }
  }
}

int Document::Utf16Between(std::size_t from, std::size_t to) const {
  const auto a = std::lower_bound(astral_.begin(), astral_.end(), from);
  const auto b = std::lower_bound(astral_.begin(), astral_.end(), to);
  return static_cast<int>(to - from) + static_cast<int>(b - a);
}

Position Document::PositionOf(std::size_t offset) const {
  offset = std::min(offset, bytes_.size());
  const auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  const std::size_t line = static_cast<std::size_t>(it - lineStarts_.begin()) - 1;
  return {static_cast<int>(line), Utf16Between(lineStarts_[line], offset)};
}

std::size_t Document::OffsetOf(Position position) const {
  if (position.line < 0) return 0;
  if (static_cast<std::size_t>(position.line) >= lineStarts_.size()) return bytes_.size();
  const std::size_t start = lineStarts_[position.line];
  std::size_t end = static_cast<std::size_t>(position.line) + 1 < lineStarts_.size()
                        ? lineStarts_[position.line + 1]
                        : bytes_.size();
  // The line's own text stops before its line end.
  if (end > start && bytes_[end - 1] == '\n') --end;
  if (end > start && bytes_[end - 1] == '\r') --end;
  std::size_t offset = start;
  int units = 0;
  while (offset < end && units < position.character) {
    units += std::binary_search(astral_.begin(), astral_.end(), offset) ? 2 : 1;
    ++offset;
  }
  return offset;
}

}  // namespace tarvex::lsp
