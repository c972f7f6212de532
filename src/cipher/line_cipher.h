// The line cipher: the keyed byte-stream cipher of every policy binary file.
//
// A state enciphers (or deciphers) one file as one stream from its first
// byte: each plain byte is absorbed into the 16-byte working key, so the
// keystream of a position depends on every plain byte before it. All words
// are unsigned 16-bit values with arithmetic modulo 65536.
//
// The fields are the state itself and may be read or set; after any call
// they hold exactly what the byte-by-byte algorithm leaves in them. The
// bulk calls (EncipherText, EncipherBytes, DecipherBytes, DecipherLine)
// run a faster form of the same algorithm (running_form.h) whenever the
// working key has the shape that enciphering always gives it (the key with
// one byte XORed into every position), and the byte-by-byte form
// otherwise. Enciphering in bulk is fastest in large calls: each call
// converts the fields once on the way in and once on the way out.
#ifndef TARVEX_CIPHER_LINE_CIPHER_H_
#define TARVEX_CIPHER_LINE_CIPHER_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvex {

class ByteSink;
namespace running {
struct RunningState;
}

// The key of the system, shared by writer and reader.
inline constexpr char kCipherKey[] = "QuartzLanternBay";
inline constexpr int kCipherKeyLength = 16;

class LineCipher {
 public:
  // Loads the key into workKey and sets carry, prevProduct and stepIndex to 0.
  LineCipher();

  uint8_t workKey[kCipherKeyLength + 1];  // the working key and its terminating zero
  uint16_t carry;                         // running sum of the keystream steps
  uint16_t prevProduct;                   // 346 times the subkey word of the previous step
  uint16_t subkey[8];                     // rebuilt from workKey for every byte
  uint16_t stepIndex;                     // the next step within a byte; 0 between bytes
  uint16_t mixWord;                       // XOR of the step results of the latest byte

  // One keystream step j = stepIndex on subkey[j]; returns the step result
  // and advances stepIndex.
  uint16_t RunStep();

  // The keystream byte of the next position, from workKey as it stands
  // (before that position's plain byte is absorbed).
  uint8_t NextKeystreamByte();

  // One byte, enciphered or deciphered; the working key absorbs the plain byte.
  uint8_t EncipherByte(uint8_t plain);
  uint8_t DecipherByte(uint8_t enciphered);

  // `n` bytes of one stream, from `in` to `out` (which may be the same).
  void EncipherBytes(const uint8_t* in, std::size_t n, uint8_t* out);
  void DecipherBytes(const uint8_t* in, std::size_t n, uint8_t* out);

  // Deciphers from `in` until a plain line feed has been written to `out`
  // or `n` bytes are used; returns how many bytes were used.
  std::size_t DecipherLine(const uint8_t* in, std::size_t n, uint8_t* out);

  // Enciphers the bytes of `text` before its first zero byte and writes them
  // to `out`. False when the sink refused a write; the state has then still
  // moved on over the whole text.
  bool EncipherText(std::string_view text, ByteSink& out);

  // Sets the 16 key bytes and every word of the state to zero.
  void Wipe();

 private:
  // The running byte r when workKey is the key with r XORed into every byte.
  bool RunningByte(uint8_t* r) const;
  // The record's fields to and from the running form of the bulk calls.
  bool EnterRunning(running::RunningState* st) const;
  void LeaveRunning(const running::RunningState& st);
  template <bool kStopAtLineFeed>
  std::size_t DecipherRun(const uint8_t* in, std::size_t n, uint8_t* out);
};

}  // namespace tarvex

#endif  // TARVEX_CIPHER_LINE_CIPHER_H_
