#include "cli/file_read_ahead.h"

#include <algorithm>
#include <utility>

#include "platform/regular_file.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvex {
namespace {

// A small file is read sooner than a thread starts.
constexpr long long kWorthAThread = 256 * 1024;
// A dictionary that takes longer to load than a thread costs: about 3,000
// rows.
constexpr long long kDictionaryWorthAThread = 128 * 1024;
// A file whose reading in two halves saves more than a thread costs.
constexpr long long kWorthTwoReaders = 4 * 1024 * 1024;
// Small enough that the two threads share a file evenly, large enough that
// the calls cost nothing beside the copying; a multiple of the page, so
// that no page is written by both.
constexpr std::size_t kPiece = 128 * 1024;

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

FileReadAhead::FileReadAhead(std::string path, long long dictionaryBytes) : path_(std::move(path)) {
  const long long size = FileSizeHint(path_);
  const bool worthIt = size >= kWorthAThread &&
                       (dictionaryBytes >= kDictionaryWorthAThread || size >= kWorthTwoReaders);
  if (!worthIt || (file_ = OpenRegularFile(path_)) == nullptr) {
    taken_ = true;
    return;
  }
  text_.Reserve(static_cast<std::size_t>(size) + 1);
#ifndef _WIN32
  pieceRead_.assign((text_.capacity() + kPiece - 1) / kPiece, 0);
#endif
  const bool started = reader_.Start([this] {
    if (pieceRead_.empty()) {
      ReadToEnd(file_, &text_);
    } else {
      ReadPieces();
    }
  });
  if (!started) {
    std::fclose(file_);
    file_ = nullptr;
    text_ = FileText();
    taken_ = true;  // nothing read ahead: every Read reads now
  }
}

void FileReadAhead::ReadPieces() {
  for (std::size_t k; (k = nextPiece_.fetch_add(1)) < pieceRead_.size();) {
    const std::size_t at = k * kPiece;
    const std::size_t n = std::min(kPiece, text_.capacity() - at);
    pieceRead_[k] = ReadAt(file_, text_.data() + at, n, at);
  }
}

FileReadAhead::~FileReadAhead() {
  Finish();
}

void FileReadAhead::Finish() {
  reader_.Join();
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
}

bool FileReadAhead::Read(const std::string& path, FileText* text) {
  if (taken_ || path != path_) return ReadRegularFile(path, text);
  taken_ = true;
  if (!pieceRead_.empty()) {
    ReadPieces();
    reader_.Join();
    // The file is what was read up to the first piece that came short (the
    // end, or a file that shrank while it was read).
    std::size_t size = 0;
    for (std::size_t k = 0; k < pieceRead_.size(); ++k) {
      size += pieceRead_[k];
      if (pieceRead_[k] < std::min(kPiece, text_.capacity() - k * kPiece)) break;
    }
    text_.SetSize(size);
#ifndef _WIN32
    // A full buffer (the file grew) may have more to come: read on from
    // where the pieces ended.
    if (size == text_.capacity() && fseeko(file_, static_cast<off_t>(size), SEEK_SET) == 0) {
      ReadToEnd(file_, &text_);
    }
#endif
  }
  Finish();
  *text = std::move(text_);
  return true;
}

}  // namespace tarvex
