// Deciphering a policy binary file line by line.
//
// A reader deciphers one file from its first byte with its own fresh
// LineCipher; the keystream of a position depends on every byte before it,
// so reading cannot start in the middle. Deciphering is one long chain of
// dependent steps, so a large file is read and deciphered ahead on a second
// thread, a few blocks at most, while the caller takes the lines.
#ifndef TARVEX_CIPHER_LINE_CIPHER_READER_H_
#define TARVEX_CIPHER_LINE_CIPHER_READER_H_

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "cipher/line_cipher.h"

namespace tarvex {

class LineCipherReader {
 public:
  LineCipherReader();
  LineCipherReader(const LineCipherReader&) = delete;
  LineCipherReader& operator=(const LineCipherReader&) = delete;
  ~LineCipherReader();  // closes and wipes

  // Opens `name` for binary reading. An empty name means "Policy.bin" in the
  // current working directory. A name that cannot be opened (or is a
  // folder) is a failure: no other file is read in its place. On failure
  // the state is wiped.
  bool OpenBinary(const std::string& name);

  // Appends the next deciphered line, up to and including its line feed, to
  // `*line`. False when the file ends (or a read fails) before a line feed:
  // the bytes deciphered since the last line feed are then in `*line` but
  // are not a line. A byte 0xFF is data like any other.
  bool ReadLine(std::string* line);

  // Hands out the next stretch of deciphered bytes, whatever its lines: the
  // rest of the block being read, or the next one. The view lives until the
  // next call; false at the end of the file (or on a read error).
  bool ReadBlock(std::string_view* bytes);

  // Closes the file and wipes the state. Safe to repeat.
  void Close();

  // The state after the last byte read from the file. The file is
  // deciphered ahead of the lines handed out, so only once ReadLine has
  // met the end of the file is this the state after the last line.
  const LineCipher& cipher() const { return cipher_; }

 private:
  class Ahead;  // the second thread and the blocks it fills
  bool Fill();

  LineCipher cipher_;
  std::FILE* file_ = nullptr;
  std::unique_ptr<Ahead> ahead_;
  std::unique_ptr<uint8_t[]> buffer_;  // the block being handed out
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
};

}  // namespace tarvex

#endif  // TARVEX_CIPHER_LINE_CIPHER_READER_H_
