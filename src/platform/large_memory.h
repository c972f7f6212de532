// Memory for megabytes of bytes at once.
//
// Every fresh page costs the system a fault when it is first touched, and
// on a virtual machine a fault of a 4 KiB page costs about as much as
// reading a few kilobytes: a 16 MB source paid more in faults than in its
// reading. Large blocks are asked for in 2 MiB pieces the system may back
// with huge pages (a fault each); elsewhere, and for small blocks, they
// are plain heap memory.
#ifndef TARVEX_PLATFORM_LARGE_MEMORY_H_
#define TARVEX_PLATFORM_LARGE_MEMORY_H_

#include <cstddef>
#include <memory>

namespace tarvex {

// Frees what AllocateLarge returned, remembering how it was taken.
class LargeMemoryDeleter {
 public:
  LargeMemoryDeleter() = default;
  LargeMemoryDeleter(std::size_t lead, std::size_t mapped) : lead_(lead), mapped_(mapped) {}
  void operator()(char* bytes) const;

 private:
  std::size_t lead_ = 0;    // bytes mapped before the block
  std::size_t mapped_ = 0;  // bytes mapped in all, or 0 for heap memory
};

using LargeMemory = std::unique_ptr<char[], LargeMemoryDeleter>;

// `size` bytes (at least 1), not cleared; nullptr only when no memory is to
// be had.
LargeMemory AllocateLarge(std::size_t size);

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_LARGE_MEMORY_H_
