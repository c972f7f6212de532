// A fresh folder per test, with helpers to write and read whole files.
#ifndef TARVEX_TESTS_SUPPORT_TEMP_DIR_H_
#define TARVEX_TESTS_SUPPORT_TEMP_DIR_H_

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define TARVEX_TEST_PID _getpid()
#else
#include <unistd.h>
#define TARVEX_TEST_PID getpid()
#endif

namespace tarvex::testing {

class TempDir {
 public:
  // Creates the folder; with `enter` it also becomes the current directory
  // (restored on destruction), since keyword.txt and key files are found there.
  explicit TempDir(bool enter = false) {
    // The process id and the clock too: a random device may repeat its
    // sequence in every process (mingw's has), and tests run side by side.
    std::random_device rd;
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("tarvex-test-" + std::to_string(TARVEX_TEST_PID) + "-" + std::to_string(tick) + "-" +
             std::to_string(rd()));
    std::filesystem::create_directories(path_);
    if (enter) {
      previous_ = std::filesystem::current_path();
      std::filesystem::current_path(path_);
    }
  }
  ~TempDir() {
    std::error_code ec;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

  std::string Write(const std::string& name, const std::string& bytes) const {
    std::string p = Path(name);
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }

  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

}  // namespace tarvex::testing

#endif  // TARVEX_TESTS_SUPPORT_TEMP_DIR_H_
