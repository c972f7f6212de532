// Large blocks hold every byte asked for, whether taken in huge pages or
// from the heap, and a file read whole into them is exactly the file.
#include "platform/large_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/file_text.h"
#include "platform/regular_file.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {

TEST(LargeMemory, HoldsEveryByteAskedForAroundTheHugePageSizes) {
  for (std::size_t size :
       {0u, 1u, (768u << 10) - 1, 768u << 10, 2u << 20, (2u << 20) + 1, (5u << 20) + 3}) {
    LargeMemory block = AllocateLarge(size);
    ASSERT_NE(block, nullptr) << size;
    const std::size_t n = size > 0 ? size : 1;
    std::memset(block.get(), 0x5A, n);
    EXPECT_EQ(block[0], 0x5A) << size;
    EXPECT_EQ(block[n - 1], 0x5A) << size;
  }
}

TEST(LargeMemory, AFileReadWholeIsTheFileAtEverySize) {
  testing::TempDir dir;
  for (std::size_t size : {(768u << 10) - 2, (768u << 10) - 1, (2u << 20) - 1, (2u << 20) + 7}) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 131 + i / 4096);
    FileText text;
    ASSERT_TRUE(ReadRegularFile(dir.Write("big.inf", bytes), &text)) << size;
    EXPECT_TRUE(text.view() == bytes) << size;
  }
}

}  // namespace
}  // namespace tarvex
