// The yardstick of the whole-process benchmarks: the line cipher as the
// algorithm states it, in a program at its best. It reads the file whole,
// runs the byte loop of the direct form (every step of every byte, the
// working key absorbing each plain byte), and writes the result; built
// with -O2. It knows nothing of policy files: no check, no key file, no
// time stamp.
//
//   tarvex_direct_cipher encipher|decipher IN OUT
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The cipher record's fields that run on from byte to byte.
struct DirectCipher {
  uint8_t workKey[17];
  uint16_t carry = 0;
  uint16_t prevProduct = 0;
  uint16_t subkey[8] = {};
  uint16_t stepIndex = 0;
  uint16_t mixWord = 0;

  DirectCipher() { std::memcpy(workKey, "QuartzLanternBay", 17); }

  uint16_t Step() {
    const uint16_t j = stepIndex;
    const uint16_t w = subkey[j];
    const uint16_t newCarry = static_cast<uint16_t>(static_cast<uint16_t>(carry + j) * 20021u +
                                                    static_cast<uint16_t>(w * 346u) + prevProduct);
    prevProduct = static_cast<uint16_t>(w * 346u);
    subkey[j] = static_cast<uint16_t>(w * 20021u + 1u);
    carry = newCarry;
    stepIndex = static_cast<uint16_t>(j + 1);
    return static_cast<uint16_t>(subkey[j] ^ carry);
  }

  uint8_t KeystreamByte() {
    for (uint16_t j = 0; j < 8; ++j) {
      // The second byte of each pair counts as a signed byte.
      const uint16_t keyWord =
          static_cast<uint16_t>(workKey[2 * j] * 256 + static_cast<int8_t>(workKey[2 * j + 1]));
      subkey[j] = j == 0 ? keyWord : static_cast<uint16_t>(keyWord ^ subkey[j - 1]);
      stepIndex = j;
      const uint16_t result = Step();
      mixWord = j == 0 ? result : static_cast<uint16_t>(mixWord ^ result);
    }
    stepIndex = 0;
    return static_cast<uint8_t>((mixWord >> 8) ^ (mixWord & 0xFF));
  }

  void Absorb(uint8_t plain) {
    for (int i = 0; i < 16; ++i) workKey[i] ^= plain;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 ||
      (std::strcmp(argv[1], "encipher") != 0 && std::strcmp(argv[1], "decipher") != 0)) {
    std::fprintf(stderr, "usage: tarvex_direct_cipher encipher|decipher IN OUT\n");
    return 2;
  }
  const bool encipher = std::strcmp(argv[1], "encipher") == 0;
  std::FILE* in = std::fopen(argv[2], "rb");
  if (in == nullptr) {
    std::fprintf(stderr, "cannot open %s\n", argv[2]);
    return 1;
  }
  std::vector<uint8_t> bytes;
  if (std::fseek(in, 0, SEEK_END) == 0) {
    const long size = std::ftell(in);
    if (size > 0) bytes.resize(static_cast<std::size_t>(size));
    std::rewind(in);
  }
  const std::size_t n = std::fread(bytes.data(), 1, bytes.size(), in);
  std::fclose(in);
  bytes.resize(n);

  DirectCipher cipher;
  if (encipher) {
    for (uint8_t& b : bytes) {
      const uint8_t k = cipher.KeystreamByte();
      cipher.Absorb(b);
      b = static_cast<uint8_t>(b ^ k);
    }
  } else {
    for (uint8_t& b : bytes) {
      b = static_cast<uint8_t>(b ^ cipher.KeystreamByte());
      cipher.Absorb(b);
    }
  }

  std::FILE* out = std::fopen(argv[3], "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "cannot open %s\n", argv[3]);
    return 1;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
