// A side thread runs its work beside the caller, once at a time, and is
// always joined.
#include "platform/side_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tarvex {
namespace {

TEST(SideThread, RunsItsWorkBesideTheCallerAndIsJoined) {
  std::atomic<int> runs{0};
  std::atomic<bool> release{false};
  {
    SideThread side;
    EXPECT_FALSE(side.running());
    ASSERT_TRUE(side.Start([&] {
      while (!release) std::this_thread::yield();
      ++runs;
    }));
    EXPECT_TRUE(side.running());
    // One at a time: a second start runs nothing.
    EXPECT_FALSE(side.Start([&] { runs += 10; }));
    release = true;
    side.Join();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(side.running());
    // Joined, it takes new work; the destructor waits for it.
    ASSERT_TRUE(side.Start([&] { ++runs; }));
  }
  EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace tarvex
