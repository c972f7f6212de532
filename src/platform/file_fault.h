// A seam through which tests make the file layer fail a write, a flush, a
// close or a rename at a chosen byte, so that every failure path of
// ReplacementFile runs on each system without filling a real disk.
#ifndef TARVEX_PLATFORM_FILE_FAULT_H_
#define TARVEX_PLATFORM_FILE_FAULT_H_

#include <cstdint>

namespace tarvex {

// The steps of replacing a file that can fail.
enum class FileStep { kWrite, kFlush, kClose, kRename };

// One failure. A write fails when it would take the temporary file past
// `atByte` bytes, after putting in the bytes below that mark, as a full disk
// does; a flush, close or rename fails once the file holds `atByte` bytes.
struct FileFault {
  FileStep step = FileStep::kWrite;
  std::uint64_t atByte = 0;
};

// Puts `fault` in force for every ReplacementFile while the guard lives.
// Guards do not nest. Only tests create one.
class ScopedFileFault {
 public:
  explicit ScopedFileFault(FileFault fault);
  ~ScopedFileFault();
  ScopedFileFault(const ScopedFileFault&) = delete;
  ScopedFileFault& operator=(const ScopedFileFault&) = delete;
};

// Whether `step` is to fail for a file that holds `bytes` bytes (for a
// write: would hold after it).
bool FileStepFails(FileStep step, std::uint64_t bytes);

// How many bytes of a write of `size` bytes onto `held` bytes get in before
// the write in force fails; `size` when it does not fail.
std::uint64_t BytesBeforeWriteFault(std::uint64_t held, std::uint64_t size);

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_FILE_FAULT_H_
