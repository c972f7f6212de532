// Pieces of an arena are aligned, apart and lasting; containers drawing on
// one keep it alive and still grow after a move.
#include "platform/arena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace tarvex {
namespace {

TEST(Arena, PiecesAreAlignedApartAndKeepTheirBytes) {
  Arena arena;
  struct Piece {
    char* at;
    std::size_t size;
  };
  std::vector<Piece> pieces;
  // Sizes around the first block and past it, every alignment asked for.
  const std::size_t sizes[] = {1, 3, 16, 4095, 16 * 1024, 16 * 1024 + 1, 100000, 3u << 20};
  const std::size_t aligns[] = {1, 2, 8, 16, 64};
  int fill = 0;
  for (std::size_t size : sizes) {
    for (std::size_t align : aligns) {
      char* at = static_cast<char*>(arena.Allocate(size, align));
      ASSERT_NE(at, nullptr);
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(at) % align, 0u) << size << " " << align;
      std::memset(at, ++fill, size);
      pieces.push_back({at, size});
    }
  }
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const Piece& p = pieces[i];
    EXPECT_EQ(p.at[0], static_cast<char>(i + 1)) << i;
    EXPECT_EQ(p.at[p.size - 1], static_cast<char>(i + 1)) << i;
  }
}

TEST(Arena, ReservedRoomHoldsTheNextPiecesTogether) {
  Arena arena;
  arena.Allocate(1000, 1);
  ASSERT_TRUE(arena.Reserve(1u << 20));
  char* first = static_cast<char*>(arena.Allocate(300000, 8));
  char* second = static_cast<char*>(arena.Allocate(700000, 16));
  EXPECT_GE(second, first + 300000);
  EXPECT_LT(second, first + 300000 + 16);
}

TEST(ArenaAllocator, ContainersShareTheArenaAndGrowAfterAMove) {
  std::vector<int, ArenaAllocator<int>> kept(ArenaAllocator<int>(std::make_shared<Arena>()));
  {
    std::vector<int, ArenaAllocator<int>> grown(kept.get_allocator());
    for (int i = 0; i < 50000; ++i) grown.push_back(i);
    kept = std::move(grown);
    // Moved from, it still draws on the arena.
    grown.push_back(7);
    EXPECT_EQ(grown.back(), 7);
  }
  ASSERT_EQ(kept.size(), 50000u);
  for (int i = 0; i < 50000; ++i) ASSERT_EQ(kept[i], i);
}

}  // namespace
}  // namespace tarvex
