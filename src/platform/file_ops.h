// The file-system operations that the compiler core needs beyond plain
// reading: full paths, replacing a file safely, and telling files from
// folders. Paths are byte strings in the system's narrow encoding (the ANSI
// code page on Windows) and are passed on unconverted.
#ifndef TARVEX_PLATFORM_FILE_OPS_H_
#define TARVEX_PLATFORM_FILE_OPS_H_

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "platform/byte_sink.h"

namespace tarvex {

// The absolute path of `name` in the current working directory, or nothing
// when it cannot be formed or would be 1024 characters or longer.
std::optional<std::string> FullPath(const std::string& name);

// Whether `path` names a folder (a folder cannot be read as a file).
bool IsDirectory(const std::string& path);

// Makes a read-only, hidden or system file replaceable. Failures are
// ignored: whatever replaces the file reports its own failure.
void SetNormalAttributes(const std::string& path);

// Opens an existing file for binary reading; nothing when it cannot be
// opened or is a folder. The caller closes it with std::fclose.
std::FILE* OpenForBinaryReading(const std::string& path);

// Creates `path` for binary writing when nothing of that name exists, and
// nothing otherwise (errno tells why): an existing file is never opened or
// emptied. The caller closes it with std::fclose.
std::FILE* CreateNewFile(const std::string& path);

// New contents for a file, put in place only when they are complete.
//
// The bytes go to a temporary file in the target's folder; Commit renames
// it over the target. Until then the target stays exactly as it was, and a
// ReplacementFile that is destroyed or abandoned without a successful
// Commit leaves no temporary file behind. A read-only target is replaced,
// and on Windows a hidden or system one too. Tests can make any step fail
// through platform/file_fault.h.
class ReplacementFile : public ByteSink {
 public:
  ReplacementFile() = default;
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  ~ReplacementFile() override;

  // Creates the temporary file beside `target`. False when it cannot be
  // created, or when `target` is a folder.
  bool Open(const std::string& target);

  // Appends bytes; false once any write has failed.
  bool Write(std::string_view bytes) override;

  // Flushes and closes the temporary file and renames it over the target.
  // False when any write, the flush, the close or the rename failed; the
  // target is then untouched and the temporary file is gone.
  bool Commit();

  // Removes the temporary file; the target stays as it was.
  void Abandon();

  // The temporary file's path while one is open (tests look for leftovers).
  const std::string& temporaryPath() const { return temp_; }

 private:
  std::FILE* file_ = nullptr;
  std::string target_;
  std::string temp_;
  bool failed_ = false;
  std::uint64_t written_ = 0;   // bytes in the temporary file
  std::uint64_t handedOn_ = 0;  // bytes handed to the system's writeback
};

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_FILE_OPS_H_
