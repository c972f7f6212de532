#include "platform/file_text.h"

#include <cstring>

namespace tarvex {

void FileText::Reserve(std::size_t capacity, std::size_t keep) {
  auto bytes = std::make_unique_for_overwrite<char[]>(capacity > 0 ? capacity : 1);
  if (keep > 0) std::memcpy(bytes.get(), bytes_.get(), keep);
  bytes_ = std::move(bytes);
  capacity_ = capacity;
  size_ = keep;
}

}  // namespace tarvex
