// Whole-file helpers around the line cipher, for tests that check what a
// policy binary file holds.
#ifndef TARVEX_TESTS_SUPPORT_CIPHER_BYTES_H_
#define TARVEX_TESTS_SUPPORT_CIPHER_BYTES_H_

#include <string>

#include "cipher/line_cipher.h"
#include "support/temp_dir.h"

namespace tarvex::testing {

// `plain` enciphered as one stream with a fresh state: a policy binary file's bytes.
inline std::string EncipherAll(const std::string& plain) {
  LineCipher c;
  std::string out(plain.size(), '\0');
  c.EncipherBytes(reinterpret_cast<const uint8_t*>(plain.data()), plain.size(),
                  reinterpret_cast<uint8_t*>(out.data()));
  return out;
}

// The whole plain text of the file at `path`.
inline std::string DecipherFile(const std::string& path) {
  const std::string bytes = ReadFile(path);
  LineCipher c;
  std::string out(bytes.size(), '\0');
  c.DecipherBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                  reinterpret_cast<uint8_t*>(out.data()));
  return out;
}

}  // namespace tarvex::testing

#endif  // TARVEX_TESTS_SUPPORT_CIPHER_BYTES_H_
