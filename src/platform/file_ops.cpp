#include "platform/file_ops.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "platform/interrupt_cleanup.h"

namespace tarvex {
namespace fs = std::filesystem;

std::optional<std::string> FullPath(const std::string& name) {
  std::error_code ec;
  fs::path full = fs::absolute(fs::path(name), ec);
  if (ec) return std::nullopt;
  std::string text = full.string();
  if (text.size() >= 1024) return std::nullopt;
  return text;
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(fs::path(path), ec);
}

void SetNormalAttributes(const std::string& path) {
#ifdef _WIN32
  // Windows refuses to rename over a read-only file; clear its flag first.
  std::error_code ec;
  fs::permissions(fs::path(path), fs::perms::owner_write, fs::perm_options::add, ec);
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

ReplacementFile::~ReplacementFile() {
  Abandon();
}

bool ReplacementFile::Open(const std::string& target) {
  Abandon();
  if (target.empty() || IsDirectory(target)) return false;
  target_ = target;
  failed_ = false;
  fs::path t(target);
  static std::atomic<unsigned> counter{0};
  const auto stamp =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path temp =
        t.parent_path() / ("." + t.filename().string() + ".tmp" +
                           std::to_string(stamp % 1000000007u) + "-" + std::to_string(counter++));
    // "x": never open a file that somebody else created under this name.
    std::FILE* f = std::fopen(temp.string().c_str(), "wbx");
    if (f != nullptr) {
      file_ = f;
      temp_ = temp.string();
      RegisterInterruptCleanup(temp_);
      return true;
    }
    std::error_code ec;
    if (!fs::exists(temp, ec)) return false;  // not a name clash: the folder refuses us
  }
  return false;
}

bool ReplacementFile::Write(std::string_view bytes) {
  if (file_ == nullptr || failed_) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
  }
  return !failed_;
}

bool ReplacementFile::Commit() {
  if (file_ == nullptr) return false;
  bool ok = !failed_;
  if (std::fflush(file_) != 0 || std::ferror(file_) != 0) ok = false;
  if (std::fclose(file_) != 0) ok = false;
  file_ = nullptr;
  if (ok) {
    SetNormalAttributes(target_);
    std::error_code ec;
    fs::rename(fs::path(temp_), fs::path(target_), ec);
    if (ec) ok = false;
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
    std::error_code ec;
    fs::remove(fs::path(temp_), ec);
    UnregisterInterruptCleanup(temp_);
    temp_.clear();
  }
}

}  // namespace tarvex
