// The bytes of a file read whole, held in memory of their own.
//
// A large source is read into memory that is not cleared first: clearing
// 16 MB costs as much as reading them; and into memory taken in huge pages
// where the system has them (platform/large_memory.h). The bytes are the
// file's as the reads returned them; view() lives as long as the FileText.
#ifndef TARVEX_PLATFORM_FILE_TEXT_H_
#define TARVEX_PLATFORM_FILE_TEXT_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/large_memory.h"

namespace tarvex {

class FileText {
 public:
  FileText() = default;
  FileText(FileText&&) = default;
  FileText& operator=(FileText&&) = default;

  std::string_view view() const { return {bytes_.get(), size_}; }
  std::size_t size() const { return size_; }

  // Room for `capacity` bytes, uncleared, keeping the first `keep` bytes
  // held now; the bytes are then written through data() and the size set.
  void Reserve(std::size_t capacity, std::size_t keep = 0);
  char* data() { return bytes_.get(); }
  std::size_t capacity() const { return capacity_; }
  void SetSize(std::size_t size) { size_ = size; }

 private:
  LargeMemory bytes_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_FILE_TEXT_H_
