// What the fuzz targets share: a private folder per process for the files
// the core reads and writes, and simple models of the file formats that
// the targets hold the core's results against.
//
// The folder is made under $TMPDIR on first use and removed when the
// process exits normally; scripts/fuzz points TMPDIR at a folder of its
// own, which it removes also after a crash. Each input runs with the folder
// as the current directory (InScratchFolder), so that relative names (key
// files, "Policy.bin") stay inside it, while libFuzzer's own relative paths
// (corpus, artifacts, an input to reproduce) keep meaning what they meant.
#ifndef TARVEX_FUZZ_FUZZ_SUPPORT_H_
#define TARVEX_FUZZ_FUZZ_SUPPORT_H_

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "keywords/blanks.h"
#include "support/temp_dir.h"

namespace tarvex::fuzz {

// Stops the run with a message that names the broken property; libFuzzer
// then saves the input that broke it.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

class ScratchFolder {
 public:
  static ScratchFolder& Get() {
    static ScratchFolder folder;
    return folder;
  }

  std::string Path(const std::string& name) const { return (path_ / name).string(); }

  // Writes `bytes` to `name` in the folder and returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::string p = Path(name);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", p.c_str());
      std::abort();
    }
    return p;
  }

  // Removes everything in the folder.
  void Empty() const {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(path_, ec)) {
      std::filesystem::remove_all(e.path(), ec);
    }
  }

  // The names in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(path_, ec)) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }

  const std::filesystem::path& path() const { return path_; }

 private:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() /
                           ("tarvex-fuzz-" + std::to_string(getpid()) + "-XXXXXX"))
                              .string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    path_ = pattern;
  }
  std::filesystem::path path_;
};

// The scratch folder as the current directory for one input.
class InScratchFolder {
 public:
  InScratchFolder() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(ScratchFolder::Get().path());
  }
  ~InScratchFolder() { std::filesystem::current_path(previous_); }
  InScratchFolder(const InScratchFolder&) = delete;
  InScratchFolder& operator=(const InScratchFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

using tarvex::testing::ReadFile;

// The line pieces of `bytes` as a 1024-byte line buffer reads them: at
// most 1023 bytes, ending after a line feed; in text mode CR LF is read as
// LF first. Each piece is cut at its first zero byte. Written from the
// rule, not from LineReader, so that the two can be compared.
inline std::vector<std::string> ModelPieces(std::string_view bytes, bool textMode) {
  std::string stream;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (textMode && bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    stream += bytes[i];
  }
  std::vector<std::string> pieces;
  std::string piece;
  for (char c : stream) {
    piece += c;
    if (c == '\n' || piece.size() == 1023) {
      pieces.push_back(piece);
      piece.clear();
    }
  }
  if (!piece.empty()) pieces.push_back(piece);
  for (std::string& p : pieces) p = p.substr(0, p.find('\0'));
  return pieces;
}

inline bool ContainsNoBlankAtEitherEnd(std::string_view s) {
  return s.empty() || (!IsBlank(s.front()) && !IsBlank(s.back()));
}

}  // namespace tarvex::fuzz

#endif  // TARVEX_FUZZ_FUZZ_SUPPORT_H_
