#include "cipher/line_cipher_reader.h"

#include <algorithm>

#include "platform/file_ops.h"

namespace tarvex {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::size_t kLineStep = 1024;
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
  file_ = OpenForBinaryReading(path);
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
  return len_ > 0;
}

bool LineCipherReader::ReadLine(std::string* line) {
  for (;;) {
    if (pos_ == len_ && !Fill()) return false;
    // Growing the line by the whole buffered rest would clear up to 64 KB
    // for every short line; lines are short, so grow it in small steps.
    const std::size_t start = line->size();
    const std::size_t available = std::min(len_ - pos_, kLineStep);
    line->resize(start + available);
    uint8_t* out = reinterpret_cast<uint8_t*>(line->data()) + start;
    const std::size_t used = cipher_.DecipherLine(buffer_.get() + pos_, available, out);
    line->resize(start + used);
    pos_ += used;
    if (used > 0 && out[used - 1] == '\n') return true;
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
