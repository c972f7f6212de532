#include "platform/file_text.h"

#include <cstring>
#include <new>

namespace tarvex {

void FileText::Reserve(std::size_t capacity, std::size_t keep) {
  LargeMemory bytes = AllocateLarge(capacity);
  if (!bytes) throw std::bad_alloc();
  if (keep > 0) std::memcpy(bytes.get(), bytes_.get(), keep);
  bytes_ = std::move(bytes);
  capacity_ = capacity;
  size_ = keep;
}

}  // namespace tarvex
