#include "policyfile/block_encipherer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tarvex {
namespace {
constexpr std::size_t kBlockSize = 256 * 1024;
}

bool BlockEncipherer::Add(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  if (size_ + text.size() > capacity_) {
    // A text longer than a block goes out whole, in one write.
    const std::size_t capacity = std::max(kBlockSize, size_ + text.size());
    auto grown = std::make_unique_for_overwrite<uint8_t[]>(capacity);
    if (size_ > 0) std::memcpy(grown.get(), block_.get(), size_);
    block_ = std::move(grown);
    capacity_ = capacity;
  }
  cipher_.EncipherBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                        block_.get() + size_);
  size_ += text.size();
  if (size_ >= kBlockSize) Flush();
  return ok_;
}

bool BlockEncipherer::Flush() {
  if (size_ > 0) {
    ok_ = out_.Write(std::string_view(reinterpret_cast<const char*>(block_.get()), size_)) && ok_;
    size_ = 0;
  }
  return ok_;
}

}  // namespace tarvex
