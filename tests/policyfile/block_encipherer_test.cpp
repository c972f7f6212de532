#include "policyfile/block_encipherer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cipher/reference_line_cipher.h"

namespace tarvex {
namespace {

// A sink that refuses every write from the n-th on.
class FailingSink : public ByteSink {
 public:
  explicit FailingSink(int failFrom) : failFrom_(failFrom) {}
  bool Write(std::string_view bytes) override {
    if (++writes_ >= failFrom_) return false;
    bytes_.append(bytes);
    return true;
  }
  std::string bytes_;

 private:
  int failFrom_;
  int writes_ = 0;
};

TEST(BlockEncipherer, GivesTheStreamOfEncipherTextCallsWhateverTheLineSizes) {
  const std::vector<std::string> lines = {
      "A = 1\r\n", std::string(300000, 'x') + "\r\n", std::string("cut\0here", 8),
      "",          std::string(200000, '\xE9'),       "TimeStamp = 202612511080509\r\n"};
  LineCipher cipher;
  StringSink sink;
  BlockEncipherer blocks(cipher, sink);
  testing::ReferenceLineCipher reference;
  std::string expected;
  for (const std::string& line : lines) {
    EXPECT_TRUE(blocks.Add(line));
    reference.EncipherText(line, &expected);
  }
  EXPECT_TRUE(blocks.Flush());
  EXPECT_EQ(sink.bytes(), expected);
  EXPECT_EQ(cipher.carry, reference.carry);
  EXPECT_EQ(cipher.prevProduct, reference.prevProduct);
}

TEST(BlockEncipherer, AFailedWriteIsReported) {
  LineCipher cipher;
  FailingSink sink(2);
  BlockEncipherer blocks(cipher, sink);
  EXPECT_TRUE(blocks.Add(std::string(300000, 'a')));  // the first block goes out
  EXPECT_TRUE(blocks.Add("b\r\n"));
  EXPECT_FALSE(blocks.Flush());
  EXPECT_FALSE(blocks.Add("c\r\n"));
  EXPECT_EQ(sink.bytes_.size(), 300000u);
}

}  // namespace
}  // namespace tarvex
