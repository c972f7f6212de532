// Feeding the line cipher in large blocks.
//
// The writer produces a policy binary file line by line, but the cipher's
// fast form pays a fixed cost per call, and a sink a fixed cost per write;
// this enciphers the text as it comes, straight from the caller's bytes
// into a block, and writes a block at a time, in stream order.
#ifndef TARVEX_POLICYFILE_BLOCK_ENCIPHERER_H_
#define TARVEX_POLICYFILE_BLOCK_ENCIPHERER_H_

#include <cstdint>
#include <memory>
#include <string_view>

#include "cipher/line_cipher.h"
#include "platform/byte_sink.h"

namespace tarvex {

class BlockEncipherer {
 public:
  // Both must outlive this object.
  BlockEncipherer(LineCipher& cipher, ByteSink& out) : cipher_(cipher), out_(out) {}

  // Adds the bytes of `text` before its first zero byte, as EncipherText
  // would encipher them. False once a write to the sink has failed.
  bool Add(std::string_view text);

  // Enciphers and writes everything added so far; false when any write failed.
  bool Flush();

 private:
  LineCipher& cipher_;
  ByteSink& out_;
  std::unique_ptr<uint8_t[]> block_;  // enciphered, not yet written
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  bool ok_ = true;
};

}  // namespace tarvex

#endif  // TARVEX_POLICYFILE_BLOCK_ENCIPHERER_H_
