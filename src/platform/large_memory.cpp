#include "platform/large_memory.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>

#include <cstdint>
#endif

namespace tarvex {
namespace {
#if defined(__linux__)
constexpr std::size_t kHugePage = 2u << 20;
// Below this, rounding up to a whole huge page clears more than it saves.
constexpr std::size_t kHugeFrom = 768u << 10;
#endif
}  // namespace

void LargeMemoryDeleter::operator()(char* bytes) const {
  if (bytes == nullptr) return;
#if defined(__linux__)
  if (mapped_ > 0) {
    ::munmap(bytes, mapped_);
    return;
  }
#endif
  delete[] bytes;
}

LargeMemory AllocateLarge(std::size_t size) {
  if (size == 0) size = 1;
#if defined(__linux__)
  if (size >= kHugeFrom) {
    const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
    // Mapped one huge page over, then trimmed to a huge page's alignment.
    void* got = ::mmap(nullptr, rounded + kHugePage, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (got != MAP_FAILED) {
      const auto start = reinterpret_cast<std::uintptr_t>(got);
      const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t{kHugePage - 1};
      if (aligned > start) ::munmap(got, aligned - start);
      const std::size_t tail = start + kHugePage - aligned;
      if (tail > 0) ::munmap(reinterpret_cast<void*>(aligned + rounded), tail);
      char* bytes = reinterpret_cast<char*>(aligned);
      ::madvise(bytes, rounded, MADV_HUGEPAGE);  // a hint: without huge pages, plain pages
      return LargeMemory(bytes, LargeMemoryDeleter(rounded));
    }
  }
#endif
  return LargeMemory(new (std::nothrow) char[size]);
}

}  // namespace tarvex
