#include "cli/file_read_ahead.h"

#include <system_error>
#include <utility>

#include "platform/regular_file.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvex {
namespace {

// A small file is read sooner than a thread starts.
constexpr long long kWorthAThread = 256 * 1024;

// Up to `n` bytes at `offset` of the open file, without moving its
// position, so that two threads read at once; how many were read.
std::size_t ReadAt(std::FILE* file, char* to, std::size_t n, std::size_t offset) {
  std::size_t done = 0;
#ifndef _WIN32
  const int fd = fileno(file);
  while (done < n) {
    const ssize_t got = pread(fd, to + done, n - done, static_cast<off_t>(offset + done));
    if (got <= 0) break;  // the end, or an error: both end the file
    done += static_cast<std::size_t>(got);
  }
#else
  (void)file;
  (void)to;
  (void)n;
  (void)offset;
#endif
  return done;
}

}  // namespace

FileReadAhead::FileReadAhead(std::string path) : path_(std::move(path)) {
  const long long size = FileSizeHint(path_);
  if (size < kWorthAThread || (file_ = OpenRegularFile(path_)) == nullptr) {
    taken_ = true;
    return;
  }
  text_.Reserve(static_cast<std::size_t>(size) + 1);
#ifndef _WIN32
  // The halves split at a page, so that no page is written by both.
  half_ = static_cast<std::size_t>(size) / 2 / 4096 * 4096;
#endif
  try {
    reader_ = std::thread([this] {
      if (half_ == 0) {
        ReadToEnd(file_, &text_);
      } else {
        secondRead_ = ReadAt(file_, text_.data() + half_, text_.capacity() - half_, half_);
      }
    });
  } catch (const std::system_error&) {
    std::fclose(file_);
    file_ = nullptr;
    text_ = FileText();
    taken_ = true;  // nothing read ahead: every Read reads now
  }
}

FileReadAhead::~FileReadAhead() {
  Finish();
}

void FileReadAhead::Finish() {
  if (reader_.joinable()) reader_.join();
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
}

bool FileReadAhead::Read(const std::string& path, FileText* text) {
  if (taken_ || path != path_) return ReadRegularFile(path, text);
  taken_ = true;
  if (half_ > 0) {
    const std::size_t firstRead = ReadAt(file_, text_.data(), half_, 0);
    if (reader_.joinable()) reader_.join();
    if (firstRead < half_) {
      // The file ended in its first half (it shrank): what was read is all.
      text_.SetSize(firstRead);
    } else {
      text_.SetSize(half_ + secondRead_);
#ifndef _WIN32
      // Room left means the end was met; a full buffer (the file grew) may
      // have more to come: read on from where the halves ended.
      if (text_.size() == text_.capacity() &&
          fseeko(file_, static_cast<off_t>(text_.size()), SEEK_SET) == 0) {
        ReadToEnd(file_, &text_);
      }
#endif
    }
  }
  Finish();
  *text = std::move(text_);
  return true;
}

}  // namespace tarvex
