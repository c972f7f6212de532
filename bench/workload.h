// The files the benchmarks work on, made once per run in a private folder
// that is also the current directory (the key file is found there).
//
// The policy source is about 1 MB: 20,000 entries of every kind (string,
// bool and int values, strings continued onto a second line, entries with
// attributes, keywords in every letter case), comment and section lines,
// and one PeerLinkKey line with its key file. It uses 100 keywords. The
// large dictionary holds 10,000 rows with those 100 spread evenly through
// it, the last one on its last row, so that a walk from the first row
// would pay for every row; the small dictionary holds the 100 alone.
#ifndef TARVEX_BENCH_WORKLOAD_H_
#define TARVEX_BENCH_WORKLOAD_H_

#include <cstddef>
#include <string>

#include "keywords/keyword_table.h"

namespace tarvex::bench {

inline constexpr int kSourceEntries = 20000;
inline constexpr std::size_t kSourceTargetBytes = 1 << 20;
inline constexpr int kUsedKeywords = 100;  // PeerLinkKey and these:
inline constexpr int kGeneratedKeywords = kUsedKeywords - 1;
inline constexpr int kLargeDictionaryRows = 10000;
inline constexpr int kLoadDictionaryRows = 100000;
inline constexpr std::size_t kCipherBytes = 16 << 20;

class Workload {
 public:
  // The one workload of the process, made on first use.
  static Workload& Get();

  std::string sourcePath;        // the 1 MB policy source, source.inf
  std::string sourceText;        // its bytes
  std::string binaryPath;        // policy.bin beside it (written by the benchmarks)
  std::string dictionaryPath;    // keyword.txt with 10,000 rows
  std::string smallDictPath;     // keyword.txt with the 100 used rows
  std::string loadDictPath;      // keyword.txt with 100,000 rows
  std::string copyTargetPath;    // where the copying baseline writes
  std::string continuedPath;     // one string entry continued over 40,000 lines (2 MB)
  std::string cipherPlain;       // 16 MB of policy text
  KeywordTable largeDictionary;  // loaded from dictionaryPath
  KeywordTable smallDictionary;  // loaded from smallDictPath
  int sourceLines = 0;           // physical lines of the source

  ~Workload();

 private:
  Workload();
  std::string folder_;
  std::string previousDir_;
};

}  // namespace tarvex::bench

#endif  // TARVEX_BENCH_WORKLOAD_H_
