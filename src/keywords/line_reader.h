// Reading a file in line pieces, as every text file of Tarvex is read.
//
// A piece is what one read into a 1024-byte line buffer yields: it ends
// after a line feed, or after 1023 bytes when no line feed comes sooner, or
// at the end of the file. A longer physical line therefore arrives as
// several pieces, each of which its reader counts as a line.
//
// In text mode a carriage return directly followed by a line feed is read
// as one line feed, on every platform; a lone carriage return stays. In
// binary mode every byte is read as it is.
//
// Only the bytes before the first zero byte of a piece count: a piece is
// cut there, as a C string would be. A read error ends the file.
#ifndef TARVEX_KEYWORDS_LINE_READER_H_
#define TARVEX_KEYWORDS_LINE_READER_H_

#include <cstdio>
#include <memory>
#include <string>

namespace tarvex {

enum class ReadMode { kText, kBinary };

inline constexpr std::size_t kMaxPieceLength = 1023;

class LineReader {
 public:
  LineReader() = default;
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;
  ~LineReader();

  // Opens `path`; false when it cannot be opened or is a folder.
  bool Open(const std::string& path, ReadMode mode);

  // Reads the next piece into `*piece` (replacing its contents). False at
  // the end of the file, or on a read error, when no byte was read.
  bool ReadPiece(std::string* piece);

  // Closes the file; reading afterwards gives nothing. Safe to repeat.
  void Close();

 private:
  int NextByte();  // -1 at the end or on error
  int PeekByte();

  std::FILE* file_ = nullptr;
  ReadMode mode_ = ReadMode::kText;
  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  bool ended_ = false;
};

}  // namespace tarvex

#endif  // TARVEX_KEYWORDS_LINE_READER_H_
