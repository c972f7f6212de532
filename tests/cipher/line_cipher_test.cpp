#include <gtest/gtest.h>

#include <cstring>

#include "cipher/line_cipher.h"
#include "cipher/line_cipher_reader.h"
#include "platform/byte_sink.h"
#include "support/cipher_bytes.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {
using testing::TempDir;

TEST(LineCipher, StartsFromTheKey) {
  LineCipher c;
  EXPECT_EQ(std::memcmp(c.workKey, "QuartzLanternBay", 17), 0);
  EXPECT_EQ(c.carry, 0);
  EXPECT_EQ(c.prevProduct, 0);
  EXPECT_EQ(c.stepIndex, 0);
}

TEST(LineCipher, OneStepMovesCarryProductAndSubkey) {
  struct Case {
    uint16_t index, subkey, carry, prevProduct;
    uint16_t newCarry, newProduct, newSubkey, result;
  } cases[] = {
      {3, 0xABCD, 0x1234, 0x0001, 0xBA76, 0x3312, 0x0772, 0xBD04},
      {0, 0x0001, 0x0000, 0x0000, 0x015A, 0x015A, 0x4E36, 0x4F6C},
  };
  for (const Case& c : cases) {
    LineCipher s;
    s.stepIndex = c.index;
    s.subkey[c.index] = c.subkey;
    s.carry = c.carry;
    s.prevProduct = c.prevProduct;
    EXPECT_EQ(s.RunStep(), c.result);
    EXPECT_EQ(s.carry, c.newCarry);
    EXPECT_EQ(s.prevProduct, c.newProduct);
    EXPECT_EQ(s.subkey[c.index], c.newSubkey);
    EXPECT_EQ(s.stepIndex, c.index + 1);
  }
}

TEST(LineCipher, SecondKeyByteOfEachPairCountsAsSigned) {
  struct Case {
    uint8_t high, low;
    uint16_t word;
  } cases[] = {
      {0x41, 0x80, 0x4080}, {0x41, 0x7F, 0x417F}, {0xC1, 0x20, 0xC120}, {0x00, 0xFF, 0xFFFF}};
  for (const Case& c : cases) {
    // The first subkey of a position is the first key word; step 0 from a
    // zero state then makes it W * 20021 + 1.
    LineCipher s;
    std::memset(s.workKey, 0, sizeof s.workKey);
    s.workKey[0] = c.high;
    s.workKey[1] = c.low;
    s.NextKeystreamByte();
    EXPECT_EQ(s.subkey[0], static_cast<uint16_t>(c.word * 20021u + 1)) << std::hex << c.word;
  }
}

std::string Encipher(LineCipher& c, const std::string& text) {
  StringSink sink;
  EXPECT_TRUE(c.EncipherText(text, sink));
  return sink.bytes();
}

TEST(LineCipher, StreamRunsOnAcrossCalls) {
  LineCipher a, b;
  EXPECT_EQ(Encipher(a, "Timeout = 30\r\n"), Encipher(b, "Timeout = 30\r\n"));
  LineCipher used;
  Encipher(used, "Timeout = 30\r\n");
  const uint16_t carry = used.carry;
  LineCipher fresh;
  const std::string again = Encipher(used, "Timeout = 30\r\n");
  EXPECT_NE(again, Encipher(fresh, "Timeout = 30\r\n"));
  EXPECT_NE(used.carry, carry);
  // Enciphering in two calls is the same stream as in one.
  LineCipher one, two;
  const std::string whole = Encipher(one, "ABCDEFGH");
  const std::string first = Encipher(two, "ABC");
  EXPECT_EQ(first + Encipher(two, "DEFGH"), whole);
}

TEST(LineCipher, EmptyTextAndZeroBytes) {
  LineCipher c;
  EXPECT_EQ(Encipher(c, ""), "");
  EXPECT_EQ(c.carry, 0);
  EXPECT_EQ(std::memcmp(c.workKey, "QuartzLanternBay", 17), 0);
  LineCipher d, e;
  EXPECT_EQ(Encipher(d, std::string("AB\0CD", 5)), Encipher(e, "AB"));
}

TEST(LineCipher, HighBytesFlipTheWorkingKey) {
  LineCipher c;
  uint8_t out = c.EncipherByte(0x80);
  (void)out;
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(c.workKey[i], static_cast<uint8_t>("QuartzLanternBay"[i] ^ 0x80));
  }
  EXPECT_EQ(c.workKey[16], 0);
}

TEST(LineCipher, BulkAndByteFormsAgreeAndRoundTrip) {
  std::string all;
  for (int round = 0; round < 3; ++round) {
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  }
  LineCipher bulk, single;
  std::string enciphered(all.size(), '\0');
  bulk.EncipherBytes(reinterpret_cast<const uint8_t*>(all.data()), all.size(),
                     reinterpret_cast<uint8_t*>(enciphered.data()));
  for (std::size_t i = 0; i < all.size(); ++i) {
    ASSERT_EQ(static_cast<uint8_t>(enciphered[i]),
              single.EncipherByte(static_cast<uint8_t>(all[i])))
        << i;
  }
  EXPECT_EQ(bulk.carry, single.carry);
  EXPECT_EQ(bulk.prevProduct, single.prevProduct);
  EXPECT_EQ(bulk.mixWord, single.mixWord);
  EXPECT_EQ(std::memcmp(bulk.subkey, single.subkey, sizeof bulk.subkey), 0);
  EXPECT_EQ(std::memcmp(bulk.workKey, single.workKey, sizeof bulk.workKey), 0);

  LineCipher back;
  std::string plain(all.size(), '\0');
  back.DecipherBytes(reinterpret_cast<const uint8_t*>(enciphered.data()), enciphered.size(),
                     reinterpret_cast<uint8_t*>(plain.data()));
  EXPECT_EQ(plain, all);
}

TEST(LineCipher, WipeClearsKeyAndWords) {
  LineCipher c;
  Encipher(c, "secret");
  c.Wipe();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(c.workKey[i], 0);
  EXPECT_EQ(c.carry, 0);
  EXPECT_EQ(c.prevProduct, 0);
  EXPECT_EQ(c.mixWord, 0);
  for (uint16_t w : c.subkey) EXPECT_EQ(w, 0);
}

std::string EncipheredFile(const std::string& plain) {
  return testing::EncipherAll(plain);
}

TEST(LineCipherReader, ReadsWholeLinesOnly) {
  TempDir dir;
  LineCipherReader r;
  ASSERT_TRUE(r.OpenBinary(dir.Write("p.bin", EncipheredFile("A\r\nB"))));
  std::string line;
  EXPECT_TRUE(r.ReadLine(&line));
  EXPECT_EQ(line, "A\r\n");
  line.clear();
  EXPECT_FALSE(r.ReadLine(&line));
  EXPECT_EQ(line, "B");
  line.clear();
  EXPECT_FALSE(r.ReadLine(&line));
  EXPECT_EQ(line, "");
}

TEST(LineCipherReader, DeciphersEveryByteValueAndLongLines) {
  TempDir dir;
  std::string plain;
  for (int b = 0; b < 256; ++b) plain += static_cast<char>(b);
  plain += std::string(200000, '\xFF') + "\n" + std::string(70000, 'x') + "\r\n";
  LineCipherReader r;
  ASSERT_TRUE(r.OpenBinary(dir.Write("p.bin", EncipheredFile(plain))));
  std::string got, line;
  while (r.ReadLine(&line)) {
    got += line;
    line.clear();
  }
  EXPECT_EQ(line, "");
  EXPECT_EQ(got, plain);
}

TEST(LineCipherReader, StopsReadingAheadWhenClosedMidFile) {
  TempDir dir;
  std::string plain;
  while (plain.size() < 3000000) plain += "Key = value " + std::to_string(plain.size()) + "\r\n";
  const std::string path = dir.Write("big.bin", EncipheredFile(plain));
  for (int lines : {1, 20000}) {
    LineCipherReader r;
    ASSERT_TRUE(r.OpenBinary(path));
    std::string line;
    for (int i = 0; i < lines; ++i) {
      line.clear();
      ASSERT_TRUE(r.ReadLine(&line));
    }
    EXPECT_EQ(line.back(), '\n');
    if (lines == 1) continue;  // destroyed with the thread still reading
    r.Close();
    EXPECT_EQ(r.cipher().workKey[0], 0);
    EXPECT_FALSE(r.ReadLine(&line));
  }
}

TEST(LineCipherReader, NamedFileIsNeverReplacedByPolicyBin) {
  TempDir dir(/*enter=*/true);
  LineCipherReader r;
  EXPECT_FALSE(r.OpenBinary(dir.Path("absent.bin")));
  EXPECT_FALSE(r.OpenBinary(""));       // no Policy.bin yet
  EXPECT_EQ(r.cipher().workKey[0], 0);  // wiped on failure
  dir.Write("Policy.bin", EncipheredFile("fallback\n"));
  EXPECT_FALSE(r.OpenBinary(dir.Path("absent.bin")));
  EXPECT_FALSE(r.OpenBinary(dir.path().string()));  // a folder is no file
  LineCipherReader fresh;
  ASSERT_TRUE(fresh.OpenBinary(""));
  std::string line;
  EXPECT_TRUE(fresh.ReadLine(&line));
  EXPECT_EQ(line, "fallback\n");
  fresh.Close();
  line.clear();
  EXPECT_FALSE(fresh.ReadLine(&line));
}

}  // namespace
}  // namespace tarvex
