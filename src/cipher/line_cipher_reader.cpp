#include "cipher/line_cipher_reader.h"

#include <cstring>

#include "platform/file_ops.h"
#include "platform/regular_file.h"

namespace tarvex {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr const char* kFallbackName = "Policy.bin";
}  // namespace

LineCipherReader::~LineCipherReader() {
  Close();
}

bool LineCipherReader::OpenBinary(const std::string& name) {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::string path = name;
  if (path.empty()) {
    std::optional<std::string> full = FullPath(kFallbackName);
    if (!full) {
      cipher_.Wipe();
      return false;
    }
    path = *full;
  }
  file_ = OpenRegularFile(path);
  if (file_ == nullptr) {
    cipher_.Wipe();
    return false;
  }
  buffer_ = std::make_unique<uint8_t[]>(kBufferSize);
  pos_ = len_ = 0;
  return true;
}

bool LineCipherReader::Fill() {
  if (file_ == nullptr) return false;
  len_ = std::fread(buffer_.get(), 1, kBufferSize, file_);
  pos_ = 0;
  // A whole block in one call: the fast form converts the state once per
  // block instead of once per line.
  cipher_.DecipherBytes(buffer_.get(), len_, buffer_.get());
  return len_ > 0;
}

bool LineCipherReader::ReadLine(std::string* line) {
  for (;;) {
    if (pos_ == len_ && !Fill()) return false;
    const uint8_t* start = buffer_.get() + pos_;
    const void* lineFeed = std::memchr(start, '\n', len_ - pos_);
    const std::size_t n =
        lineFeed != nullptr ? static_cast<const uint8_t*>(lineFeed) - start + 1 : len_ - pos_;
    line->append(reinterpret_cast<const char*>(start), n);
    pos_ += n;
    if (lineFeed != nullptr) return true;
  }
}

void LineCipherReader::Close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  buffer_.reset();
  pos_ = len_ = 0;
  cipher_.Wipe();
}

}  // namespace tarvex
