#include "workload.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "keywords/keyword_file.h"
#include "platform/fake_window_system.h"

namespace tarvex::bench {
namespace fs = std::filesystem;
namespace {

enum class Kind { kString, kBool, kInt, kContinued };

Kind KindOf(int row) {
  return static_cast<Kind>(row % 4);
}

// The name of a generated row as the dictionary writes it: the same width
// in both dictionaries, so that their sources differ only in which rows
// they name.
std::string RowName(int row) {
  static const char* const kStems[] = {"Banner", "AllowRemote", "Timeout", "Notice"};
  std::string number = std::to_string(row);
  return std::string(kStems[row % 4]) + "Setting" + std::string(5 - number.size(), '0') + number;
}

std::string RowLine(int row) {
  switch (KindOf(row)) {
    case Kind::kBool:
      return RowName(row) + ", bool, ,\n";
    case Kind::kInt:
      return RowName(row) + " , Int , -1000 , 100000\n";
    default:
      return RowName(row) + ",string,,\n";
  }
}

// A dictionary of `rows` rows: generated ones, PeerLinkKey among them.
std::string Dictionary(int rows) {
  std::string text = "; keywords of the benchmark sources\n";
  for (int row = 0; row < rows - 1; ++row) {
    text += RowLine(row);
    if (row == rows / 2) text += "PeerLinkKey,string,,\n";
  }
  return text;
}

// The keyword as entry i writes it: as in the dictionary, in capitals, or in small letters.
std::string WrittenName(int row, int i) {
  std::string name = RowName(row);
  for (char& c : name) {
    if (i % 3 == 1 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (i % 3 == 2 && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return name;
}

std::string Attribute(int i) {
  switch (i % 5) {
    case 0:
      return "{policy}";
    case 1:
      return " { DEFAULT } ";
    default:
      return "";
  }
}

// A source of `entries` entries naming rows of a `rows`-row dictionary at
// random, with string values padded by `pad` characters; the PeerLinkKey
// line stands in the middle.
std::string MakeSource(int rows, int entries, std::size_t pad) {
  std::string out;
  out.reserve(kSourceTargetBytes + 4096);
  const std::string filler(pad, 'x');
  std::mt19937 rng(20021);  // the same draw for every pad
  std::uniform_int_distribution<int> pick(0, rows - 2);
  for (int i = 0; i < entries; ++i) {
    if (i % 2000 == 0) out += "[Section" + std::to_string(i / 2000) + "]\r\n";
    if (i % 40 == 0) out += "; entries from " + std::to_string(i) + " on\r\n";
    const int row = pick(rng);
    if (i == entries / 2) {
      out += "PeerLinkKey = peer.key\r\n";
      continue;
    }
    const std::string key = WrittenName(row, i) + Attribute(i);
    switch (KindOf(row)) {
      case Kind::kString:
        out += key + " = message text " + std::to_string(i) + " " + filler + "\r\n";
        break;
      case Kind::kBool:
        out += key + " = " + (i % 2 ? "TRUE" : "false") + "\r\n";
        break;
      case Kind::kInt: {
        const int value = i * 37 % 101000 - 1000;
        out += "  " + key + "=" + (value >= 0 && i % 7 == 0 ? "+" : "") + std::to_string(value) +
               "\r\n";
      } break;
      case Kind::kContinued:
        out += key + " = first half " + filler + " \\\r\n    second half " + std::to_string(i) +
               "\r\n";
        break;
    }
  }
  return out;
}

// The source of a `rows`-row dictionary, padded to about 1 MB.
std::string SizedSource(int rows) {
  // The size grows by one byte per padded entry for each character of pad.
  const std::size_t bare = MakeSource(rows, kSourceEntries, 0).size();
  const std::size_t padded = MakeSource(rows, kSourceEntries, 1).size() - bare;
  const std::size_t pad = bare < kSourceTargetBytes ? (kSourceTargetBytes - bare) / padded : 0;
  return MakeSource(rows, kSourceEntries, pad);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

void Load(KeywordTable& table, const std::string& path) {
  FakeWindowSystem ws;
  if (!LoadKeywordFile(table, path, ws)) throw std::runtime_error("cannot read " + path);
}

}  // namespace

Workload& Workload::Get() {
  static Workload workload;
  return workload;
}

Workload::Workload() {
  std::string pattern = (fs::temp_directory_path() / "tarvex-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  folder_ = pattern;
  previousDir_ = fs::current_path().string();
  fs::current_path(folder_);
  auto path = [&](const char* name) { return (fs::path(folder_) / name).string(); };

  sourceText = SizedSource(kLargeDictionaryRows);
  smallSourceText = SizedSource(kSmallDictionaryRows);
  for (char c : sourceText) sourceLines += c == '\n';
  sourcePath = path("source.inf");
  smallSourcePath = path("small-source.inf");
  tinySourcePath = path("tiny.inf");
  binaryPath = path("policy.bin");
  copyTargetPath = path("copy.inf");
  WriteFile(sourcePath, sourceText);
  WriteFile(smallSourcePath, smallSourceText);
  WriteFile(tinySourcePath, MakeSource(kSmallDictionaryRows, 24, 4));

  std::string continued = RowName(0) + " = start \\\r\n";
  for (int i = 0; i < 40000; ++i) {
    continued += "  continued line " + std::to_string(i) + " of one long banner value \\\r\n";
  }
  continuedPath = path("continued.inf");
  WriteFile(continuedPath, continued + "end\r\n");

  std::string key;
  for (int b = 0; b < 64; ++b) key += static_cast<char>(b * 5 + 3);
  WriteFile(path("peer.key"), key);

  smallDictPath = path("keyword-100.txt");
  dictionaryPath = path("keyword-10000.txt");
  WriteFile(smallDictPath, Dictionary(kSmallDictionaryRows));
  WriteFile(dictionaryPath, Dictionary(kLargeDictionaryRows));
  Load(smallDictionary, smallDictPath);
  Load(largeDictionary, dictionaryPath);

  std::string load;
  for (int n = 0; n < kLoadDictionaryRows; ++n) {
    if (n % 100 == 0) load += "; block " + std::to_string(n / 100) + "\r\n";
    load += "Keyword" + std::to_string(n) + " , int , 0 , 65535\r\n";
  }
  loadDictPath = path("keyword-100000.txt");
  WriteFile(loadDictPath, load);

  while (cipherPlain.size() + sourceText.size() <= kCipherBytes) cipherPlain += sourceText;
  cipherPlain += sourceText.substr(0, kCipherBytes - cipherPlain.size());
  for (int i = 0; i < 16; ++i) source16Text += sourceText;
}

Workload::~Workload() {
  std::error_code ec;
  fs::current_path(previousDir_, ec);
  // TARVEX_BENCH_KEEP keeps the files, to profile a program on them.
  if (std::getenv("TARVEX_BENCH_KEEP") != nullptr) {
    std::fprintf(stderr, "workload kept in %s\n", folder_.c_str());
    return;
  }
  fs::remove_all(folder_, ec);
}

}  // namespace tarvex::bench
