// The line cipher written out directly, one byte and one step at a time,
// with every field of the cipher record and nothing precomputed.
//
// It is the yardstick for LineCipher: every faster form must give the same
// bytes and leave the same state. The benchmarks also run it, side by side
// with LineCipher, so that a speed-up reads as a ratio. Keep it slow and
// plain: its value is that it can be checked line by line against the
// algorithm.
#ifndef TARVEX_TESTS_CIPHER_REFERENCE_LINE_CIPHER_H_
#define TARVEX_TESTS_CIPHER_REFERENCE_LINE_CIPHER_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tarvex::testing {

struct ReferenceLineCipher {
  // The record, in its declaration order. All words are unsigned 16-bit.
  uint16_t scratch0 = 0;     // carry + step index
  uint16_t scratch1 = 0;     // (carry + step index) * 20021
  uint16_t scratch2 = 0;     // W * 346
  uint16_t scratch3 = 0;     // the step's subkey word W
  uint16_t prevProduct = 0;  // 346 times the subkey word of the previous step
  uint16_t scratch4 = 0;     // the new carry, before it is stored
  uint16_t carry = 0;        // running sum of the keystream steps
  uint16_t subkey[8] = {};   // rebuilt from workKey for every byte
  uint16_t stepResult = 0;   // the result of the latest step
  uint16_t stepIndex = 0;    // the next step within a byte; 0 between bytes
  uint16_t mixWord = 0;      // XOR of the step results of the current byte
  uint16_t mixHigh = 0;      // mixWord >> 8
  uint16_t mixLow = 0;       // mixWord & 0xFF
  uint16_t loopCounter = 0;  // over the key bytes
  uint8_t workKey[17] = {};  // the working key and its terminating zero
  int16_t currentByte = 0;   // the byte being processed

  // Loads the key; carry, prevProduct and stepIndex start at 0.
  ReferenceLineCipher() { std::memcpy(workKey, "QuartzLanternBay", 17); }

  // Keystream step j = stepIndex on W = subkey[j]; returns the step result.
  uint16_t Step() {
    const uint16_t j = stepIndex;
    scratch3 = subkey[j];
    scratch0 = static_cast<uint16_t>(carry + j);
    scratch1 = static_cast<uint16_t>(scratch0 * 20021u);
    scratch2 = static_cast<uint16_t>(scratch3 * 346u);
    scratch4 = static_cast<uint16_t>(scratch1 + scratch2 + prevProduct);
    prevProduct = static_cast<uint16_t>(scratch3 * 346u);
    subkey[j] = static_cast<uint16_t>(scratch3 * 20021u + 1u);
    carry = scratch4;
    stepResult = static_cast<uint16_t>(subkey[j] ^ carry);
    stepIndex = static_cast<uint16_t>(j + 1);
    return stepResult;
  }

  // The keystream byte of the next position, from workKey as it stands.
  uint8_t KeystreamByte() {
    for (uint16_t j = 0; j < 8; ++j) {
      const uint8_t high = workKey[2 * j];
      const uint8_t low = workKey[2 * j + 1];
      // The second byte counts as a signed byte: b - 256 from 0x80 on.
      const int lowValue = low <= 127 ? low : low - 256;
      const uint16_t keyWord = static_cast<uint16_t>(high * 256 + lowValue);
      if (j == 0) {
        subkey[0] = keyWord;
      } else {
        subkey[j] = static_cast<uint16_t>(keyWord ^ subkey[j - 1]);
      }
      stepIndex = j;
      Step();
      if (j == 0) {
        mixWord = stepResult;
      } else {
        mixWord = static_cast<uint16_t>(mixWord ^ stepResult);
      }
    }
    stepIndex = 0;
    mixHigh = static_cast<uint16_t>(mixWord >> 8);
    mixLow = static_cast<uint16_t>(mixWord & 0xFF);
    return static_cast<uint8_t>(mixHigh ^ mixLow);
  }

  void Absorb(uint8_t plain) {
    currentByte = static_cast<int16_t>(plain);
    for (loopCounter = 0; loopCounter < 16; ++loopCounter) {
      workKey[loopCounter] = static_cast<uint8_t>(workKey[loopCounter] ^ currentByte);
    }
  }

  uint8_t EncipherByte(uint8_t plain) {
    const uint8_t k = KeystreamByte();
    Absorb(plain);
    return static_cast<uint8_t>(plain ^ k);
  }

  uint8_t DecipherByte(uint8_t enciphered) {
    const uint8_t k = KeystreamByte();
    const uint8_t plain = static_cast<uint8_t>(enciphered ^ k);
    Absorb(plain);
    return plain;
  }

  // The bytes of `text` before its first zero byte, enciphered and written
  // one at a time to `*out`.
  void EncipherText(std::string_view text, std::string* out) {
    for (char c : text) {
      if (c == '\0') break;
      out->push_back(static_cast<char>(EncipherByte(static_cast<uint8_t>(c))));
    }
  }

  std::string Encipher(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) out.push_back(static_cast<char>(EncipherByte(static_cast<uint8_t>(c))));
    return out;
  }

  std::string Decipher(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) out.push_back(static_cast<char>(DecipherByte(static_cast<uint8_t>(c))));
    return out;
  }
};

}  // namespace tarvex::testing

#endif  // TARVEX_TESTS_CIPHER_REFERENCE_LINE_CIPHER_H_
