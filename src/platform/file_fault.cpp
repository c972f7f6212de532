#include "platform/file_fault.h"

#include <optional>

namespace tarvex {
namespace {

std::optional<FileFault>& Active() {
  static std::optional<FileFault> fault;
  return fault;
}

}  // namespace

ScopedFileFault::ScopedFileFault(FileFault fault) {
  Active() = fault;
}

ScopedFileFault::~ScopedFileFault() {
  Active().reset();
}

bool FileStepFails(FileStep step, std::uint64_t bytes) {
  const std::optional<FileFault>& fault = Active();
  if (!fault || fault->step != step) return false;
  return step == FileStep::kWrite ? bytes > fault->atByte : bytes >= fault->atByte;
}

std::uint64_t BytesBeforeWriteFault(std::uint64_t held, std::uint64_t size) {
  if (!FileStepFails(FileStep::kWrite, held + size)) return size;
  const std::uint64_t mark = Active()->atByte;
  return mark > held ? mark - held : 0;
}

}  // namespace tarvex
