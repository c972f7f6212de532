#include "cli/file_read_ahead.h"

#include <system_error>
#include <utility>

#include "platform/regular_file.h"

namespace tarvex {

FileReadAhead::FileReadAhead(std::string path) : path_(std::move(path)) {
  // A small file is read sooner than a thread starts.
  constexpr long long kWorthAThread = 256 * 1024;
  if (FileSizeHint(path_) < kWorthAThread) {
    taken_ = true;
    return;
  }
  try {
    reader_ = std::thread([this] { ok_ = ReadRegularFile(path_, &bytes_); });
  } catch (const std::system_error&) {
    taken_ = true;  // nothing read ahead: every Read reads now
  }
}

FileReadAhead::~FileReadAhead() {
  Wait();
}

void FileReadAhead::Wait() {
  if (reader_.joinable()) reader_.join();
}

bool FileReadAhead::Read(const std::string& path, std::string* bytes) {
  if (taken_ || path != path_) return ReadRegularFile(path, bytes);
  Wait();
  taken_ = true;
  *bytes = std::move(bytes_);
  return ok_;
}

}  // namespace tarvex
