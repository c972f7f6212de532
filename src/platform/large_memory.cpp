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
    ::munmap(bytes - lead_, mapped_);
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
    // Mapped one huge page over, and used from the first huge page's
    // boundary on. The slack stays mapped, never touched: unmapping it makes
    // the system flush the address caches of every processor the process
    // runs on, which with the read-ahead thread running cost a 1 MB check
    // against a large dictionary about 50 us on a virtual machine.
    const std::size_t mapped = rounded + kHugePage;
    void* got = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (got != MAP_FAILED) {
      const auto start = reinterpret_cast<std::uintptr_t>(got);
      const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t{kHugePage - 1};
      ::madvise(got, mapped, MADV_HUGEPAGE);  // a hint: without huge pages, plain pages
      const std::size_t lead = aligned - start;
      return LargeMemory(reinterpret_cast<char*>(aligned), LargeMemoryDeleter(lead, mapped));
    }
  }
#endif
  return LargeMemory(new (std::nothrow) char[size]);
}

}  // namespace tarvex
