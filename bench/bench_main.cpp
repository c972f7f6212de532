// Runs the benchmarks and closes with a summary in Markdown: the machine,
// one row per benchmark, and the ratios that the targets are stated in,
// all from this one run. With --summary_out=PATH the summary is also
// written to PATH. The exit status is 1 when a target is missed.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cipher/cipher_path.h"
#include "workload.h"

#ifndef TARVEX_BENCH_BUILD_TYPE
#define TARVEX_BENCH_BUILD_TYPE "unknown"
#endif

namespace tarvex::bench {
namespace {

struct Result {
  double seconds = 0;         // real time per iteration
  double bytesPerSecond = 0;  // 0 when not counted
  double itemsPerSecond = 0;
  double peakMiB = 0;     // a child process's peak resident set, when measured
  std::string statistic;  // "median" with repetitions, else "single run"
};

// Passes everything on to the console and keeps, per benchmark, the median
// of its repetitions (or its only run).
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) {
        failed_.push_back(run.run_name.function_name + ": " + run.error_message);
        continue;
      }
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const bool single = run.run_type == Run::RT_Iteration;
      if (!median && !single) continue;
      Result& r = results_[run.run_name.function_name];
      if (single && r.statistic == "median") continue;
      r.statistic = median ? "median" : "single run";
      r.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      auto counter = [&](const char* name) {
        auto it = run.counters.find(name);
        return it == run.counters.end() ? 0.0 : static_cast<double>(it->second);
      };
      r.bytesPerSecond = counter("bytes_per_second");
      r.itemsPerSecond = counter("items_per_second");
      r.peakMiB = counter("peak_MiB");
    }
  }

  const std::map<std::string, Result>& results() const { return results_; }
  const std::vector<std::string>& failed() const { return failed_; }

 private:
  std::map<std::string, Result> results_;
  std::vector<std::string> failed_;
};

std::string CpuModel() {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("model name", 0) == 0) {
      const std::size_t colon = line.find(':');
      if (colon != std::string::npos) return line.substr(line.find_first_not_of(' ', colon + 1));
    }
  }
  return "unknown";
}

// The load when the run started: other work on the machine blurs the numbers.
std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  if (!(in >> one >> five >> fifteen)) return "unknown";
  return one + " " + five + " " + fifteen + " (1, 5, 15 minutes)";
}

std::string Compiler() {
#if defined(__clang__)
  return std::string("clang ") + __clang_version__;
#elif defined(__GNUC__)
  return std::string("GCC ") + __VERSION__;
#else
  return "unknown";
#endif
}

std::string Fixed(double v, int digits) {
  std::ostringstream out;
  out << std::fixed << std::setprecision(digits) << v;
  return out.str();
}

struct Ratio {
  std::string what;
  std::string numerator, denominator;
  bool higherIsBetter;  // a speed-up (MB/s over MB/s) rather than a cost (time over time)
  double target;        // 0: no target, shown for reading only
};

// Returns whether every target was met.
bool WriteSummary(std::ostream& out, const SummaryReporter& reporter,
                  const std::string& startLoad) {
  const auto& results = reporter.results();
  const Workload& w = Workload::Get();
  out << "## Machine\n\n"
      << "- CPU: " << CpuModel() << "\n"
      << "- Cores: " << std::thread::hardware_concurrency() << "\n"
      << "- Compiler: " << Compiler() << "\n"
      << "- Build type: " << TARVEX_BENCH_BUILD_TYPE << "\n"
      << "- Enciphering kernel chosen at run time: " << CipherPathName(ActiveCipherPath()) << "\n"
      << "- Load average at the start: " << startLoad << "\n\n"
      << "## Workload\n\n"
      << "- Cipher: " << w.cipherPlain.size() << " bytes of policy text (the source, repeated)\n"
      << "- Source: " << w.sourceText.size() << " bytes, " << w.sourceLines << " lines, "
      << kSourceEntries << " entries (string, bool, int, continued strings, attributes, "
      << "one PeerLinkKey line with a 64-byte key file), keywords drawn at random from the "
      << kLargeDictionaryRows << "-row dictionary; the 16 MB source is it 16 times\n"
      << "- The same check against " << kSmallDictionaryRows << " rows: a source of the same "
      << "shape, " << w.smallSourceText.size() << " bytes, keywords drawn at random from a "
      << kSmallDictionaryRows << "-row dictionary\n"
      << "- LoadKeywordFile: " << kLoadDictionaryRows << " rows\n\n"
      << "## Results\n\n"
      << "| Benchmark | Time per run | Throughput |\n"
      << "|---|---:|---:|\n";
  std::string statistic = "single run";
  for (const auto& [name, r] : results) {
    statistic = r.statistic;
    std::string throughput;
    if (r.bytesPerSecond > 0) throughput = Fixed(r.bytesPerSecond / 1e6, 1) + " MB/s";
    if (r.itemsPerSecond > 0) throughput = Fixed(r.itemsPerSecond / 1e6, 2) + " M rows/s";
    out << "| " << name << " | " << Fixed(r.seconds * 1e3, 2) << " ms | " << throughput << " |\n";
  }
  out << "\nTimes are the " << (statistic == "median" ? "median of the repetitions" : "single run")
      << "; MB is 10^6 bytes.\n\n";

  const bool vectorPath = ActiveCipherPath() != CipherPath::kPortable;
  const std::vector<Ratio> ratios = {
      {"Whole process: tarvexc generate 16 MB over the direct encipherment program (speed)",
       "Process/Generate_16MB/tarvexc", "Process/Generate_16MB/direct", true, 10.0},
      {"Whole process: tarvexc convert 16 MB over the direct decipherment program (speed)",
       "Process/Convert_16MB/tarvexc", "Process/Convert_16MB/direct", true, 6.0},
      {"Whole process: tarvexc check 1 MB, 10,000 rows over 100 rows (time)",
       "Process/Check_1MB/10000_rows", "Process/Check_1MB/100_rows", false, 1.1},
      {"Check against 10,000 rows over check against 100 rows (time)",
       "Generate/Check_only/10000_rows", "Generate/Check_only/100_rows", false, 1.1},
      {"Enciphering: LineCipher over the direct form (speed)", "Cipher/Encipher/LineCipher",
       "Cipher/Encipher/Direct", true, vectorPath ? 12.0 : 8.0},
      {"Enciphering, portable kernel forced, over the direct form (speed)",
       "Cipher/Encipher/LineCipher_portable", "Cipher/Encipher/Direct", true, 8.0},
      {"Enciphering, AVX2 kernel forced, over the direct form (speed)",
       "Cipher/Encipher/LineCipher_avx2", "Cipher/Encipher/Direct", true, 12.0},
      {"Enciphering, AVX-512 kernel forced, over the direct form (speed)",
       "Cipher/Encipher/LineCipher_avx512", "Cipher/Encipher/Direct", true, 25.0},
      {"Deciphering: LineCipher over the direct form (speed)", "Cipher/Decipher/LineCipher",
       "Cipher/Decipher/Direct", true, 6.0},
      {"Deciphering a file line by line: LineCipherReader over the direct form (speed)",
       "Cipher/Decipher/LineCipherReader_file_by_line", "Cipher/Decipher/Direct", true, 0},
      {"Check and write against 10,000 rows over 100 rows (time)",
       "Generate/Check_and_write/10000_rows", "Generate/Check_and_write/100_rows", false, 0},
      {"Generate (check and write, 10,000 rows) over copying the source (time)",
       "Generate/Check_and_write/10000_rows", "Baseline/Copy_1MB_source", false, 0},
      {"Check alone (10,000 rows) over copying the source (time)", "Generate/Check_only/10000_rows",
       "Baseline/Copy_1MB_source", false, 0},
      {"Convert back (probe and convert) over copying the source (time)", "Generate/Convert_back",
       "Baseline/Copy_1MB_source", false, 0},
  };
  out << "## Ratios\n\n| Ratio | Measured | Target | Met |\n|---|---:|---:|---|\n";
  bool allMet = true;
  for (const Ratio& ratio : ratios) {
    auto a = results.find(ratio.numerator);
    auto b = results.find(ratio.denominator);
    if (a == results.end() || b == results.end()) continue;  // filtered out of this run
    const double value = ratio.higherIsBetter ? b->second.seconds / a->second.seconds
                                              : a->second.seconds / b->second.seconds;
    std::string target = "-", met = "-";
    if (ratio.target > 0) {
      const bool ok = ratio.higherIsBetter ? value >= ratio.target : value <= ratio.target;
      allMet = allMet && ok;
      target = (ratio.higherIsBetter ? "at least " : "at most ") + Fixed(ratio.target, 1) + "x";
      met = ok ? "yes" : "NO";
    }
    out << "| " << ratio.what << " | " << Fixed(value, 2) << "x | " << target << " | " << met
        << " |\n";
  }
  if (auto peak = results.find("Process/Convert_48MB"); peak != results.end()) {
    const bool ok = peak->second.peakMiB > 0 && peak->second.peakMiB <= 8.0;
    allMet = allMet && ok;
    out << "| Peak memory of tarvexc converting a 48 MB policy.bin (MiB, not a ratio) | "
        << Fixed(peak->second.peakMiB, 1) << " | at most 8.0 | " << (ok ? "yes" : "NO") << " |\n";
  }

  // The check at the speed of memory: every byte of the source once.
  const std::vector<std::pair<std::string, double>> speedsMBs = {
      {"CheckPass/sound_1MB/10000_rows", 1000.0},
      {"CheckPass/sound_16MB/10000_rows", 1000.0},
      {"CheckText/All_faults/sound_1MB/10000_rows", 1000.0},
      {"CheckText/All_faults/sound_16MB/10000_rows", 1000.0},
  };
  out << "\n## Speeds\n\n| Benchmark | Measured | Target | Met |\n|---|---:|---:|---|\n";
  for (const auto& [name, target] : speedsMBs) {
    auto r = results.find(name);
    if (r == results.end()) continue;
    const double mbs = r->second.seconds > 0 ? r->second.bytesPerSecond / 1e6 : 0;
    const bool ok = mbs >= target;
    allMet = allMet && ok;
    out << "| " << name << " | " << Fixed(mbs, 0) << " MB/s | at least " << Fixed(target, 0)
        << " MB/s | " << (ok ? "yes" : "NO") << " |\n";
  }

  // Start-up: what tarvexc costs beyond starting any program.
  const std::vector<std::pair<std::string, std::string>> startups = {
      {"tarvexc --help", "Process/Startup/tarvexc_help"},
      {"tarvexc check of a 1 KB source (100 rows)", "Process/Startup/tarvexc_check_1KB"},
  };
  if (auto empty = results.find("Process/Startup/empty_program"); empty != results.end()) {
    out << "\n## Start-up\n\n| Process | Beyond an empty C++ program (" +
               Fixed(empty->second.seconds * 1e3, 2) + " ms) | Target | Met |\n"
        << "|---|---:|---:|---|\n";
    for (const auto& [what, name] : startups) {
      auto r = results.find(name);
      if (r == results.end()) continue;
      const double extraMs = (r->second.seconds - empty->second.seconds) * 1e3;
      const bool ok = extraMs <= 1.0;
      allMet = allMet && ok;
      out << "| " << what << " | " << (extraMs >= 0 ? "+" : "") << Fixed(extraMs, 2)
          << " ms | at most +1.00 ms | " << (ok ? "yes" : "NO") << " |\n";
    }
  }

  // Checks that run while the user types have a time of their own to keep.
  const std::vector<std::pair<std::string, double>> limitsMs = {
      {"CheckText/All_faults/sound_1MB/10000_rows", 10.0},
      {"CheckText/All_faults/faulty_1MB/10000_rows", 10.0},
  };
  out << "\n## Time limits\n\n| Benchmark | Measured | Limit | Met |\n|---|---:|---:|---|\n";
  for (const auto& [name, limit] : limitsMs) {
    auto r = results.find(name);
    if (r == results.end()) continue;
    const bool ok = r->second.seconds * 1e3 <= limit;
    allMet = allMet && ok;
    out << "| " << name << " | " << Fixed(r->second.seconds * 1e3, 2) << " ms | at most "
        << Fixed(limit, 0) << " ms | " << (ok ? "yes" : "NO") << " |\n";
  }
  for (const std::string& f : reporter.failed()) {
    out << "\nFAILED: " << f << "\n";
    allMet = false;
  }
  return allMet;
}

}  // namespace
}  // namespace tarvex::bench

int main(int argc, char** argv) {
  std::string summaryPath;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--summary_out=", 14) == 0) {
      // Absolute now: the workload makes its own folder the current directory.
      summaryPath = std::filesystem::absolute(argv[i] + 14).string();
    } else {
      args.push_back(argv[i]);
    }
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;

  const std::string startLoad = tarvex::bench::LoadAverage();
  tarvex::bench::Workload::Get();  // made before the clock starts
  tarvex::bench::SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::ostringstream summary;
  const bool met = tarvex::bench::WriteSummary(summary, reporter, startLoad);
  std::cout << "\n" << summary.str();
  if (!summaryPath.empty()) std::ofstream(summaryPath) << summary.str();
  benchmark::Shutdown();
  return met ? 0 : 1;
}
