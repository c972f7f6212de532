#include "keywords/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/regular_file.h"

namespace tarvex {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

namespace {

// How many bytes from `p` (at most `limit`) are neither line feed, carriage
// return nor zero: eight at a time, with the zero-byte test of a word.
std::size_t OrdinaryRun(const unsigned char* p, std::size_t limit) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  auto hasZero = [](uint64_t v) { return (v - kOnes) & ~v & kHigh; };
  std::size_t run = 0;
  for (; run + 8 <= limit; run += 8) {
    uint64_t v;
    std::memcpy(&v, p + run, 8);
    if (hasZero(v) | hasZero(v ^ ('\n' * kOnes)) | hasZero(v ^ ('\r' * kOnes))) break;
  }
  while (run < limit && p[run] != '\n' && p[run] != '\r' && p[run] != 0) ++run;
  return run;
}

}  // namespace

LineReader::~LineReader() {
  Close();
}

bool LineReader::Open(const std::string& path, ReadMode mode) {
  Close();
  file_ = OpenRegularFile(path);
  if (file_ == nullptr) return false;
  mode_ = mode;
  buffer_ = std::make_unique<unsigned char[]>(kBufferSize);
  pos_ = len_ = 0;
  ended_ = false;
  return true;
}

void LineReader::Close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  ended_ = true;
}

int LineReader::PeekByte() {
  if (pos_ == len_) {
    if (ended_ || file_ == nullptr) return -1;
    len_ = std::fread(buffer_.get(), 1, kBufferSize, file_);
    pos_ = 0;
    if (len_ == 0) {
      ended_ = true;  // the end, or an error: both end the file
      return -1;
    }
  }
  return buffer_[pos_];
}

int LineReader::NextByte() {
  int c = PeekByte();
  if (c < 0) return -1;
  ++pos_;
  if (mode_ == ReadMode::kText && c == '\r' && PeekByte() == '\n') {
    ++pos_;
    return '\n';
  }
  return c;
}

bool LineReader::ReadPiece(std::string* piece) {
  piece->clear();
  bool any = false;
  bool cut = false;  // a zero byte was seen: the rest of the piece does not count
  std::size_t n = 0;
  while (n < kMaxPieceLength) {
    // Runs of ordinary bytes go straight from the buffer; line feeds,
    // carriage returns and zero bytes take the byte-at-a-time path below.
    if (pos_ < len_) {
      const unsigned char* start = buffer_.get() + pos_;
      const std::size_t limit = std::min(len_ - pos_, kMaxPieceLength - n);
      const std::size_t run = OrdinaryRun(start, limit);
      if (run > 0) {
        if (!cut) piece->append(reinterpret_cast<const char*>(start), run);
        pos_ += run;
        n += run;
        any = true;
        continue;
      }
    }
    int c = NextByte();
    if (c < 0) break;
    ++n;
    any = true;
    if (c == 0) cut = true;
    if (!cut) piece->push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return any;
}

}  // namespace tarvex
