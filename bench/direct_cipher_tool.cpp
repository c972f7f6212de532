// The yardstick of the whole-process benchmarks: a program that only reads
// a file, enciphers or deciphers it with the direct, byte-by-byte form of
// the line cipher (tests/cipher/reference_line_cipher.h), and writes it.
//
//   tarvex_direct_cipher encipher|decipher IN OUT
#include <cstdio>
#include <cstring>
#include <vector>

#include "cipher/reference_line_cipher.h"

int main(int argc, char** argv) {
  if (argc != 4 ||
      (std::strcmp(argv[1], "encipher") != 0 && std::strcmp(argv[1], "decipher") != 0)) {
    std::fprintf(stderr, "usage: tarvex_direct_cipher encipher|decipher IN OUT\n");
    return 2;
  }
  const bool encipher = std::strcmp(argv[1], "encipher") == 0;
  std::FILE* in = std::fopen(argv[2], "rb");
  std::FILE* out = std::fopen(argv[3], "wb");
  if (in == nullptr || out == nullptr) {
    std::fprintf(stderr, "cannot open the files\n");
    return 1;
  }
  tarvex::testing::ReferenceLineCipher cipher;
  std::vector<unsigned char> buffer(64 * 1024);
  std::size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) {
    for (std::size_t i = 0; i < n; ++i) {
      buffer[i] = encipher ? cipher.EncipherByte(buffer[i]) : cipher.DecipherByte(buffer[i]);
    }
    std::fwrite(buffer.data(), 1, n, out);
  }
  std::fclose(in);
  return std::fclose(out) == 0 ? 0 : 1;
}
