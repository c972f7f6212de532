// LineCipher's fast forms against the direct transcription of the cipher:
// the same bytes, and the same state afterwards, whatever the input, the
// starting state and the way the stream is cut into calls. Every test runs
// once per form of the enciphering kernel; a form this processor cannot
// run is skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cipher/cipher_path.h"
#include "cipher/line_cipher.h"
#include "cipher/line_cipher_reader.h"
#include "cipher/reference_line_cipher.h"
#include "platform/byte_sink.h"
#include "support/temp_dir.h"

namespace tarvex {

// Names the form in test output.
void PrintTo(CipherPath path, std::ostream* os) {
  *os << CipherPathName(path);
}

namespace {
using testing::ReferenceLineCipher;
using testing::TempDir;

const uint8_t* Bytes(const std::string& s) {
  return reinterpret_cast<const uint8_t*>(s.data());
}

// The fields that run on from byte to byte, and those a caller may look at.
void ExpectSameState(const LineCipher& fast, const ReferenceLineCipher& ref,
                     const std::string& where) {
  EXPECT_EQ(std::memcmp(fast.workKey, ref.workKey, sizeof fast.workKey), 0) << where;
  EXPECT_EQ(fast.carry, ref.carry) << where;
  EXPECT_EQ(fast.prevProduct, ref.prevProduct) << where;
  EXPECT_EQ(std::memcmp(fast.subkey, ref.subkey, sizeof fast.subkey), 0) << where;
  EXPECT_EQ(fast.stepIndex, ref.stepIndex) << where;
  EXPECT_EQ(fast.mixWord, ref.mixWord) << where;
}

std::string RandomBytes(std::mt19937& rng, std::size_t n, int low = 0, int high = 255) {
  std::uniform_int_distribution<int> byte(low, high);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(byte(rng));
  return s;
}

std::string EncipherInChunks(LineCipher& c, const std::string& plain,
                             const std::vector<std::size_t>& chunks) {
  std::string out(plain.size(), '\0');
  std::size_t pos = 0;
  for (std::size_t i = 0; pos < plain.size(); ++i) {
    const std::size_t n = std::min(chunks[i % chunks.size()], plain.size() - pos);
    c.EncipherBytes(Bytes(plain) + pos, n, reinterpret_cast<uint8_t*>(out.data()) + pos);
    pos += n;
  }
  return out;
}

std::string DecipherInChunks(LineCipher& c, const std::string& enciphered,
                             const std::vector<std::size_t>& chunks) {
  std::string out(enciphered.size(), '\0');
  std::size_t pos = 0;
  for (std::size_t i = 0; pos < enciphered.size(); ++i) {
    const std::size_t n = std::min(chunks[i % chunks.size()], enciphered.size() - pos);
    c.DecipherBytes(Bytes(enciphered) + pos, n, reinterpret_cast<uint8_t*>(out.data()) + pos);
    pos += n;
  }
  return out;
}

struct TextCase {
  const char* name;
  std::string plain;
};

std::vector<TextCase> Texts() {
  std::mt19937 rng(20021);
  std::string everyByte;
  for (int round = 0; round < 4; ++round) {
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(round % 2 ? 255 - b : b);
  }
  return {
      {"empty", ""},
      {"one line", "Timeout = 30\r\n"},
      {"every byte value, both ways round", everyByte},
      {"random bytes", RandomBytes(rng, 5000)},
      {"only high bytes, which flip the signed rule", RandomBytes(rng, 3000, 0x80, 0xFF)},
      {"ASCII text", RandomBytes(rng, 3000, 0x20, 0x7E)},
      {"zero bytes", std::string(300, '\0')},
      {"one high byte among ASCII",
       "abc\x80"
       "def\xFF"
       "ghi"},
  };
}

class LineCipherEquivalence : public ::testing::TestWithParam<CipherPath> {
 protected:
  void SetUp() override {
    if (!ForceCipherPath(GetParam())) GTEST_SKIP() << "this processor cannot run the form";
  }
  void TearDown() override { ResetCipherPath(); }
};

TEST_P(LineCipherEquivalence, BulkFormsMatchTheDirectFormByteForByte) {
  const std::vector<std::vector<std::size_t>> chunkings = {
      {1 << 20}, {1}, {2}, {3}, {7}, {64}, {4095}, {4096}, {4097}, {1, 13, 255, 2, 1000},
  };
  for (const TextCase& t : Texts()) {
    ReferenceLineCipher ref;
    const std::string expected = ref.Encipher(t.plain);
    for (const auto& chunks : chunkings) {
      const std::string where = std::string(t.name) + ", chunk " + std::to_string(chunks[0]);
      LineCipher enc;
      ASSERT_EQ(EncipherInChunks(enc, t.plain, chunks), expected) << where;
      ExpectSameState(enc, ref, where + " (enciphering)");

      LineCipher dec;
      ASSERT_EQ(DecipherInChunks(dec, expected, chunks), t.plain) << where;
      ExpectSameState(dec, ref, where + " (deciphering)");
    }
  }
}

TEST_P(LineCipherEquivalence, EveryLengthAroundTheKernelsStepsAndBlocks) {
  // The kernels take 32, 64 and 1024 positions at a time: every length
  // close to those, in one call, from a state that has already run.
  std::mt19937 rng(4);
  const std::string plain = RandomBytes(rng, 2100);
  std::vector<std::size_t> lengths;
  for (std::size_t n = 1; n <= 130; ++n) lengths.push_back(n);
  for (std::size_t n = 1020; n <= 1030; ++n) lengths.push_back(n);
  for (std::size_t n : {2047u, 2048u, 2049u, 2100u}) lengths.push_back(n);
  for (std::size_t n : lengths) {
    ReferenceLineCipher ref;
    ref.Encipher("x\x91");
    const std::string expected = ref.Encipher(plain.substr(0, n));
    LineCipher fast;
    std::string lead(2, '\0');
    fast.EncipherBytes(Bytes("x\x91"), 2, reinterpret_cast<uint8_t*>(lead.data()));
    std::string got(n, '\0');
    fast.EncipherBytes(Bytes(plain), n, reinterpret_cast<uint8_t*>(got.data()));
    ASSERT_EQ(got, expected) << n;
    ExpectSameState(fast, ref, "length " + std::to_string(n));
  }
}

TEST_P(LineCipherEquivalence, DecipheringNoiseMatchesTheDirectForm) {
  // Bytes that no writer produced still decipher to one definite text.
  std::mt19937 rng(346);
  for (std::size_t n : {1u, 2u, 17u, 1000u, 70000u}) {
    const std::string noise = RandomBytes(rng, n);
    ReferenceLineCipher ref;
    const std::string expected = ref.Decipher(noise);
    LineCipher fast;
    EXPECT_EQ(DecipherInChunks(fast, noise, {n}), expected) << n;
    ExpectSameState(fast, ref, "noise of " + std::to_string(n));
  }
}

TEST_P(LineCipherEquivalence, SingleByteCallsAndBulkCallsMixFreely) {
  std::mt19937 rng(7);
  const std::string plain = RandomBytes(rng, 4000);
  ReferenceLineCipher ref;
  const std::string expected = ref.Encipher(plain);
  LineCipher c;
  std::string got;
  std::uniform_int_distribution<int> kind(0, 2), length(0, 40);
  for (std::size_t pos = 0; pos < plain.size();) {
    if (kind(rng) == 0) {
      got += static_cast<char>(c.EncipherByte(static_cast<uint8_t>(plain[pos++])));
      continue;
    }
    const std::size_t n = std::min<std::size_t>(length(rng), plain.size() - pos);
    std::string out(n, '\0');
    c.EncipherBytes(Bytes(plain) + pos, n, reinterpret_cast<uint8_t*>(out.data()));
    got += out;
    pos += n;
  }
  EXPECT_EQ(got, expected);
  ExpectSameState(c, ref, "mixed calls");
}

TEST_P(LineCipherEquivalence, EncipherTextStopsAtZeroAndLeavesTheDirectFormsState) {
  std::mt19937 rng(11);
  const std::vector<std::string> lines = {
      "; comment\r\n",
      "Key{policy} = value\r\n",
      RandomBytes(rng, 9000, 1, 255),
      std::string("cut\0here", 8),
      "",
      "\xC3\xA9t\xC3\xA9\r\n",
  };
  LineCipher fast;
  ReferenceLineCipher ref;
  StringSink sink;
  std::string expected;
  for (const std::string& line : lines) {
    ASSERT_TRUE(fast.EncipherText(line, sink));
    ref.EncipherText(line, &expected);
    ExpectSameState(fast, ref, "after " + std::to_string(expected.size()) + " bytes");
  }
  EXPECT_EQ(sink.bytes(), expected);
}

TEST_P(LineCipherEquivalence, AnyStartingStateMatches) {
  // A working key that is not the key XOR one byte (possible only when a
  // caller sets the fields) and arbitrary words must give the same bytes too.
  std::mt19937 rng(99);
  for (int round = 0; round < 50; ++round) {
    LineCipher fast;
    ReferenceLineCipher ref;
    const std::string key = RandomBytes(rng, 16);
    const bool keyShape = round % 2 == 0;
    for (int i = 0; i < 16; ++i) {
      const uint8_t b = keyShape ? static_cast<uint8_t>("QuartzLanternBay"[i] ^ key[0])
                                 : static_cast<uint8_t>(key[i]);
      fast.workKey[i] = ref.workKey[i] = b;
    }
    fast.carry = ref.carry = static_cast<uint16_t>(rng());
    fast.prevProduct = ref.prevProduct = static_cast<uint16_t>(rng());
    const std::string plain = RandomBytes(rng, 1 + rng() % 600);
    const std::string expected = ref.Encipher(plain);
    std::string got(plain.size(), '\0');
    fast.EncipherBytes(Bytes(plain), plain.size(), reinterpret_cast<uint8_t*>(got.data()));
    ASSERT_EQ(got, expected) << "round " << round;
    ExpectSameState(fast, ref, "round " + std::to_string(round));
  }
}

TEST_P(LineCipherEquivalence, ReaderDeciphersWhatTheDirectFormEnciphered) {
  TempDir dir;
  std::mt19937 rng(5);
  struct Case {
    const char* name;
    std::string plain;
  } cases[] = {
      {"short lines", "A = 1\r\nB = 2\n\nC\r\n"},
      {"random bytes with line feeds", RandomBytes(rng, 200000)},
      {"lines longer than the read buffer", std::string(150000, 'x') + "\n" + "tail"},
      {"no line feed at all", RandomBytes(rng, 3000, 11, 255)},
      {"line feeds only", std::string(5000, '\n')},
      // Large enough to be deciphered ahead on a second thread.
      {"a file of several blocks, read ahead", RandomBytes(rng, 1600000, 9, 127)},
  };
  for (const Case& c : cases) {
    ReferenceLineCipher ref;
    const std::string path = dir.Write("p.bin", ref.Encipher(c.plain));
    LineCipherReader reader;
    ASSERT_TRUE(reader.OpenBinary(path)) << c.name;
    std::string got, line;
    std::size_t lines = 0;
    while (reader.ReadLine(&line)) {
      ASSERT_EQ(line.back(), '\n') << c.name;
      ASSERT_EQ(line.find('\n'), line.size() - 1) << c.name;
      got += line;
      line.clear();
      ++lines;
    }
    got += line;  // the last fragment, which is not a line
    EXPECT_EQ(got, c.plain) << c.name;
    EXPECT_EQ(lines, static_cast<std::size_t>(std::count(c.plain.begin(), c.plain.end(), '\n')))
        << c.name;
    ExpectSameState(reader.cipher(), ref, c.name);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, LineCipherEquivalence, ::testing::ValuesIn(AllCipherPaths()),
                         [](const ::testing::TestParamInfo<CipherPath>& info) {
                           return std::string(CipherPathName(info.param));
                         });

TEST(CipherPath, ThePortableFormIsAlwaysThereAndForcingAnUnsupportedFormChangesNothing) {
  EXPECT_TRUE(CipherPathSupported(CipherPath::kPortable));
  const CipherPath best = ActiveCipherPath();
  EXPECT_TRUE(CipherPathSupported(best));
  for (CipherPath path : AllCipherPaths()) {
    EXPECT_EQ(ForceCipherPath(path), CipherPathSupported(path)) << CipherPathName(path);
    EXPECT_EQ(ActiveCipherPath() == path, CipherPathSupported(path)) << CipherPathName(path);
  }
  ResetCipherPath();
  EXPECT_EQ(ActiveCipherPath(), best);
}

}  // namespace
}  // namespace tarvex
