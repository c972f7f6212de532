#include "platform/arena.h"

#include <cstdint>

namespace tarvex {
namespace {

// The first block; each later one at least doubles the last, so that a
// table grown row by row takes few blocks.
constexpr std::size_t kFirstBlock = 16 * 1024;
constexpr std::size_t kMostAlign = 64;

}  // namespace

bool Arena::Reserve(std::size_t bytes) {
  if (bytes > static_cast<std::size_t>(-1) / 2) return false;
  // One piece's worst alignment on top; a caller reserving for several
  // pieces counts theirs.
  const std::size_t want = bytes + kMostAlign;
  if (want <= left_) return true;
  std::size_t size = lastBlock_ == 0 ? kFirstBlock : 2 * lastBlock_;
  if (size < want) size = want;
  LargeMemory block = AllocateLarge(size);
  if (block == nullptr) return false;
  next_ = block.get();
  left_ = size;
  lastBlock_ = size;
  blocks_.push_back(std::move(block));
  return true;
}

void* Arena::Allocate(std::size_t bytes, std::size_t align) {
  auto pad = [&] {
    const auto at = reinterpret_cast<std::uintptr_t>(next_);
    return static_cast<std::size_t>((align - at % align) % align);
  };
  if (next_ == nullptr || pad() + bytes > left_) {
    if (!Reserve(bytes)) return nullptr;
  }
  const std::size_t skip = pad();
  char* piece = next_ + skip;
  next_ = piece + bytes;
  left_ -= skip + bytes;
  return piece;
}

}  // namespace tarvex
