// The files the benchmarks work on, made once per run in a private folder
// that is also the current directory (the key file is found there).
//
// The policy source is about 1 MB: 20,000 entries of every kind (string,
// bool and int values, strings continued onto a second line, entries with
// attributes, keywords in every letter case), comment and section lines,
// and one PeerLinkKey line with its key file. Its keywords are drawn at
// random from the whole of the 10,000-row dictionary, so that it uses most
// of the rows. A second source of the same shape and size draws its
// keywords from a dictionary of 100 rows: the same check, with the
// dictionary's size the only difference.
#ifndef TARVEX_BENCH_WORKLOAD_H_
#define TARVEX_BENCH_WORKLOAD_H_

#include <cstddef>
#include <string>

#include "keywords/keyword_table.h"

namespace tarvex::bench {

inline constexpr int kSourceEntries = 20000;
inline constexpr std::size_t kSourceTargetBytes = 1 << 20;
inline constexpr int kSmallDictionaryRows = 100;  // PeerLinkKey and 99 generated rows
inline constexpr int kLargeDictionaryRows = 10000;
inline constexpr int kLoadDictionaryRows = 100000;
inline constexpr std::size_t kCipherBytes = 16 << 20;

class Workload {
 public:
  // The one workload of the process, made on first use.
  static Workload& Get();

  std::string sourcePath;        // the 1 MB policy source, source.inf (10,000-row keywords)
  std::string sourceText;        // its bytes
  std::string smallSourcePath;   // the 1 MB source of the 100-row dictionary
  std::string smallSourceText;   // its bytes
  std::string tinySourcePath;    // a source of about 1 KB (100-row keywords)
  std::string binaryPath;        // policy.bin beside source.inf (written by the benchmarks)
  std::string dictionaryPath;    // keyword.txt with 10,000 rows
  std::string smallDictPath;     // keyword.txt with 100 rows
  std::string loadDictPath;      // keyword.txt with 100,000 rows
  std::string copyTargetPath;    // where the copying baseline writes
  std::string continuedPath;     // one string entry continued over 40,000 lines (2 MB)
  std::string cipherPlain;       // 16 MB of policy text (the source, repeated)
  std::string source16Text;      // the 1 MB source 16 times: the large check
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
