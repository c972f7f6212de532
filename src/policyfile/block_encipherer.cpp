#include "policyfile/block_encipherer.h"

#include <cstdint>

namespace tarvex {
namespace {
constexpr std::size_t kBlockSize = 256 * 1024;
}

bool BlockEncipherer::Add(std::string_view text) {
  pending_.append(text.substr(0, text.find('\0')));
  if (pending_.size() >= kBlockSize) Flush();
  return ok_;
}

bool BlockEncipherer::Flush() {
  if (!pending_.empty()) {
    uint8_t* bytes = reinterpret_cast<uint8_t*>(pending_.data());
    cipher_.EncipherBytes(bytes, pending_.size(), bytes);
    ok_ = out_.Write(pending_) && ok_;
    pending_.clear();
  }
  return ok_;
}

}  // namespace tarvex
