// Memory handed out in pieces from a few large blocks and given back all
// at once, when the last holder of the arena lets it go.
//
// A large keyword dictionary is read and indexed in arrays that together
// come to about a megabyte. Taken one by one from the heap, every page of
// them costs the system a fault on first touch; taken from one block, they
// share huge pages where the system has them (platform/large_memory.h), a
// fault each. Pieces are never given back one by one: what a growing array
// leaves behind stays until the arena goes.
#ifndef TARVEX_PLATFORM_ARENA_H_
#define TARVEX_PLATFORM_ARENA_H_

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "platform/large_memory.h"

namespace tarvex {

class Arena {
 public:
  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;

  // Makes room for `bytes` more in one block, so that the pieces taken
  // next, up to that many bytes with their alignment, lie together. False
  // when no memory is to be had.
  bool Reserve(std::size_t bytes);

  // `bytes` bytes aligned to `align` (a power of two, at most 64), not
  // cleared; nullptr only when no memory is to be had.
  void* Allocate(std::size_t bytes, std::size_t align);

 private:
  std::vector<LargeMemory> blocks_;
  char* next_ = nullptr;
  std::size_t left_ = 0;
  std::size_t lastBlock_ = 0;  // the newest block's size
};

// A standard allocator over a shared Arena: every container built with
// copies of one allocator draws on one arena, and keeps it alive.
template <class T>
class ArenaAllocator {
 public:
  using value_type = T;
  using propagate_on_container_copy_assignment = std::true_type;
  using propagate_on_container_move_assignment = std::true_type;
  using propagate_on_container_swap = std::true_type;

  explicit ArenaAllocator(std::shared_ptr<Arena> arena) : arena_(std::move(arena)) {}
  // Copied, never emptied by a move: a moved-from container still allocates.
  ArenaAllocator(const ArenaAllocator& other) noexcept = default;
  template <class U>
  ArenaAllocator(const ArenaAllocator<U>& other) noexcept : arena_(other.arena()) {}
  ArenaAllocator& operator=(const ArenaAllocator& other) noexcept = default;

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / 2 / sizeof(T)) throw std::bad_array_new_length();
    void* p = arena_->Allocate(n * sizeof(T), alignof(T));
    if (p == nullptr) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T*, std::size_t) noexcept {}

  const std::shared_ptr<Arena>& arena() const { return arena_; }
  template <class U>
  bool operator==(const ArenaAllocator<U>& other) const {
    return arena_ == other.arena();
  }

 private:
  std::shared_ptr<Arena> arena_;
};

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_ARENA_H_
