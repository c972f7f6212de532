#include "platform/file_ops.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "platform/file_fault.h"
#include "platform/interrupt_cleanup.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include "platform/windows_api.h"
#else
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#endif

// Paths are byte strings in the system's own narrow encoding end to end: on
// Windows the ANSI code page, which is what the command line, fopen and the
// *A calls use. Nothing here converts a path, so a folder named in that code
// page (café) is reached as given.

namespace tarvex {
namespace {

// Where the last component of `path` starts.
std::size_t FileNameStart(const std::string& path) {
#ifdef _WIN32
  // A trail byte of a double-byte character may equal '\\'; step over pairs.
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < path.size()) {
      ++i;
    } else if (c == '\\' || c == '/' || c == ':') {
      start = i + 1;
    }
  }
  return start;
#else
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
#endif
}

bool RenameOver(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

std::optional<std::string> FullPath(const std::string& name) {
#ifdef _WIN32
  char buffer[1024];
  const DWORD length = GetFullPathNameA(name.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer) return std::nullopt;
  return std::string(buffer, length);
#else
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(name), ec);
  if (ec) return std::nullopt;
  std::string text = full.string();
  if (text.size() >= 1024) return std::nullopt;
  return text;
#endif
}

bool IsDirectory(const std::string& path) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
#else
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::path(path), ec);
#endif
}

void SetNormalAttributes(const std::string& path) {
#ifdef _WIN32
  // Windows refuses to replace a read-only, hidden or system file.
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
  // A rename replaces a read-only file here; its mode needs no change, and
  // leaving it alone keeps the old file exactly as it was if the replace fails.
  (void)path;
#endif
}

std::FILE* OpenForBinaryReading(const std::string& path) {
  if (path.empty() || IsDirectory(path)) return nullptr;
  return std::fopen(path.c_str(), "rb");
}

std::FILE* CreateNewFile(const std::string& path) {
  // fopen's "x" is not enough: the Windows C library ignores it and empties
  // the file that is there.
#ifdef _WIN32
  const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                       _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = _fdopen(fd, "wb");
  if (file == nullptr) _close(fd);
#else
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) close(fd);
#endif
  return file;
}

ReplacementFile::~ReplacementFile() {
  Abandon();
}

bool ReplacementFile::Open(const std::string& target) {
  Abandon();
  if (target.empty() || IsDirectory(target)) return false;
  target_ = target;
  failed_ = false;
  written_ = 0;
  handedOn_ = 0;
  const std::size_t nameStart = FileNameStart(target);
  const std::string prefix = target.substr(0, nameStart) + "." + target.substr(nameStart) + ".tmp";
  static std::atomic<unsigned> counter{0};
  const auto stamp =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temp =
        prefix + std::to_string(stamp % 1000000007u) + "-" + std::to_string(counter++);
    // Never open a file that somebody else created under this name.
    errno = 0;
    std::FILE* f = CreateNewFile(temp);
    if (f != nullptr) {
      file_ = f;
      temp_ = temp;
      RegisterInterruptCleanup(temp_);
      return true;
    }
    if (errno != EEXIST) return false;  // not a name clash: the folder refuses us
  }
  return false;
}

bool ReplacementFile::Write(std::string_view bytes) {
  if (file_ == nullptr || failed_) return false;
  const std::size_t fits = static_cast<std::size_t>(BytesBeforeWriteFault(written_, bytes.size()));
  if (fits < bytes.size()) failed_ = true;
  if (fits > 0 && std::fwrite(bytes.data(), 1, fits, file_) != fits) failed_ = true;
  written_ += fits;
#ifdef __linux__
  // Renaming a new file over an old one makes the file system allocate and
  // start writing whatever of the new file is still only in memory, on the
  // committing thread: 10 ms for 16 MB. Handing each few megabytes to the
  // writeback as they are written spreads that over the writing.
  constexpr std::uint64_t kWritebackStep = 4u << 20;
  if (written_ - handedOn_ >= kWritebackStep && std::fflush(file_) == 0) {
    ::sync_file_range(fileno(file_), static_cast<off_t>(handedOn_),
                      static_cast<off_t>(written_ - handedOn_), SYNC_FILE_RANGE_WRITE);
    handedOn_ = written_;
  }
#endif
  return !failed_;
}

bool ReplacementFile::Commit() {
  if (file_ == nullptr) return false;
  bool ok = !failed_;
  if (std::fflush(file_) != 0 || std::ferror(file_) != 0) ok = false;
  if (FileStepFails(FileStep::kFlush, written_)) ok = false;
  if (std::fclose(file_) != 0) ok = false;
  if (FileStepFails(FileStep::kClose, written_)) ok = false;
  file_ = nullptr;
  if (ok) {
    SetNormalAttributes(target_);
    ok = !FileStepFails(FileStep::kRename, written_) && RenameOver(temp_, target_);
  }
  if (ok) {
    UnregisterInterruptCleanup(temp_);
    temp_.clear();
  } else {
    Abandon();
  }
  return ok;
}

void ReplacementFile::Abandon() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    std::remove(temp_.c_str());
    UnregisterInterruptCleanup(temp_);
    temp_.clear();
  }
}

}  // namespace tarvex
