#include "platform/regular_file.h"

#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tarvex {

#ifdef _WIN32

std::FILE* OpenRegularFile(const std::string& path) {
  // Device names such as CON or NUL are not regular files either.
  struct _stat64 st;
  if (path.empty() || _stat64(path.c_str(), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
    return nullptr;
  }
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return nullptr;
  if (_fstat64(_fileno(f), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(f);
    return nullptr;
  }
  return f;
}

#else

std::FILE* OpenRegularFile(const std::string& path) {
  if (path.empty()) return nullptr;
  // O_NONBLOCK: opening a FIFO must not wait for a writer. What is opened
  // is then checked, not the name, so a swap in between changes nothing.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  std::FILE* f = ::fdopen(fd, "rb");
  if (f == nullptr) ::close(fd);
  return f;
}

#endif

long long FileSizeHint(const std::string& path) {
#ifdef _WIN32
  struct _stat64 st;
  if (path.empty() || _stat64(path.c_str(), &st) != 0) return -1;
#else
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return -1;
#endif
  return static_cast<long long>(st.st_size);
}

void ReadToEnd(std::FILE* f, FileText* text) {
  for (;;) {
    if (text->size() == text->capacity()) {
      // Still more: double the room.
      text->Reserve(text->capacity() < 64 * 1024 ? 64 * 1024 : 2 * text->capacity(), text->size());
    }
    const std::size_t want = text->capacity() - text->size();
    const std::size_t n = std::fread(text->data() + text->size(), 1, want, f);
    text->SetSize(text->size() + n);
    if (n < want) return;  // the end, or an error: both end the file
  }
}

bool ReadRegularFile(const std::string& path, FileText* text) {
  *text = FileText();
  std::FILE* f = OpenRegularFile(path);
  if (f == nullptr) return false;
  // The size is only a hint for one allocation: the file may grow or shrink
  // while it is read, and what the reads return is what counts.
  const long long size = FileSizeHint(path);
  text->Reserve(size > 0 ? static_cast<std::size_t>(size) + 1 : 64 * 1024);
  ReadToEnd(f, text);
  std::fclose(f);
  return true;
}

bool ReadRegularFile(const std::string& path, std::string* bytes) {
  bytes->clear();
  std::FILE* f = OpenRegularFile(path);
  if (f == nullptr) return false;
  // The size is only a hint for one allocation: the file may grow or shrink
  // while it is read, and what the reads return is what counts.
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  std::rewind(f);
  std::size_t want = size > 0 ? static_cast<std::size_t>(size) + 1 : 64 * 1024;
  std::size_t used = 0;
  for (;;) {
    bytes->resize(used + want);
    const std::size_t n = std::fread(bytes->data() + used, 1, want, f);
    used += n;
    if (n < want) break;  // the end, or an error: both end the file
    want = used;          // still more: double the room
  }
  std::fclose(f);
  bytes->resize(used);
  return true;
}

}  // namespace tarvex
