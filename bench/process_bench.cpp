// Whole processes, as a user runs them: tarvexc beside the direct form of
// the cipher as a program (direct_cipher_tool.cpp) on the same files,
// tarvexc check against both dictionaries (each with its own source), the
// start-up beside an empty C++ program, and the peak memory of converting
// a 48 MB policy.bin (the child's maximum resident set, as GNU time
// reports it).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cipher/line_cipher.h"
#include "workload.h"

extern char** environ;

namespace tarvex::bench {
namespace {

// The larger files, made on first use in the workload's folder.
struct BigFiles {
  std::string source16;  // the 1 MB source, 16 times: checks and compiles
  std::string binary16;  // that source compiled by tarvexc
  std::string binary48;  // 48 MB of policy text and a time stamp, enciphered
  std::string fault;     // why the files cannot serve, if they cannot
};

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Enciphered(std::string plain) {
  LineCipher c;
  auto* bytes = reinterpret_cast<uint8_t*>(plain.data());
  c.EncipherBytes(bytes, plain.size(), bytes);
  return plain;
}

std::string Deciphered(std::string enciphered) {
  LineCipher c;
  auto* bytes = reinterpret_cast<uint8_t*>(enciphered.data());
  c.DecipherBytes(bytes, enciphered.size(), bytes);
  return enciphered;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs `args` with its output thrown away; the wall time is the caller's.
// Returns the child's peak resident set in KiB when asked (else 0), or -1
// when it failed.
long Run(std::vector<std::string> args, bool measurePeak = false) {
  // The peak is taken by GNU time, a small process between: a child
  // spawned straight from this large one would count this one's pages in
  // its own peak.
  const std::string peakFile = Workload::Get().sourcePath + ".peak";
  if (measurePeak) args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", peakFile});
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  if (!measurePeak) return 0;
  long peak = -1;
  std::ifstream(peakFile) >> peak;
  return peak;
}

const BigFiles& Big() {
  static const BigFiles files = [] {
    const Workload& w = Workload::Get();
    BigFiles f;
    // A folder of their own: Generate writes policy.bin beside its source.
    const std::filesystem::path folder = std::filesystem::path(w.sourcePath).parent_path() / "big";
    std::filesystem::create_directories(folder);
    f.source16 = (folder / "source.inf").string();
    WriteBytes(f.source16, w.source16Text);
    f.binary16 = (folder / "compiled.bin").string();
    Run({TARVEXC_PATH, "--keywords", w.dictionaryPath, "generate", f.source16});
    std::filesystem::rename(folder / "policy.bin", f.binary16);
    f.binary48 = (folder / "large.bin").string();
    WriteBytes(f.binary48, Enciphered(w.cipherPlain + w.cipherPlain + w.cipherPlain +
                                      "TimeStamp = 202612511080509\r\n"));
    // The yardstick must be the cipher itself, both ways round.
    const std::string out = f.source16 + ".direct";
    if (Run({DIRECT_CIPHER_PATH, "encipher", f.source16, out}) != 0 ||
        Deciphered(ReadBytes(out)) != w.source16Text) {
      f.fault = "the direct encipherment program gives other bytes";
    } else if (Run({DIRECT_CIPHER_PATH, "decipher", f.binary16, out}) != 0 ||
               ReadBytes(out) != Deciphered(ReadBytes(f.binary16))) {
      f.fault = "the direct decipherment program gives other bytes";
    }
    std::filesystem::remove(out);
    return f;
  }();
  return files;
}

void RunProcess(benchmark::State& state, const std::vector<std::string>& args, std::size_t bytes,
                bool reportPeak = false) {
  if (!Big().fault.empty()) {
    state.SkipWithError(Big().fault.c_str());
    return;
  }
  long peak = 0;
  for (auto _ : state) {
    // Each run starts with the disk idle: the megabytes an earlier run
    // wrote would otherwise still be on their way out, and replacing or
    // emptying a file waits for them.
    state.PauseTiming();
    ::sync();
    state.ResumeTiming();
    peak = Run(args, reportPeak);
    if (peak < 0) {
      state.SkipWithError(("failed: " + args[0] + " " + args[args.size() > 2 ? 2 : 1]).c_str());
      break;
    }
  }
  if (reportPeak) state.counters["peak_MiB"] = static_cast<double>(peak) / 1024.0;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

std::size_t SizeOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  return static_cast<std::size_t>(in.tellg());
}

void GenerateTarvexc(benchmark::State& state) {
  const BigFiles& f = Big();
  RunProcess(state,
             {TARVEXC_PATH, "--keywords", Workload::Get().dictionaryPath, "generate", f.source16},
             SizeOf(f.source16));
}

void GenerateDirect(benchmark::State& state) {
  const BigFiles& f = Big();
  RunProcess(state, {DIRECT_CIPHER_PATH, "encipher", f.source16, f.source16 + ".direct"},
             SizeOf(f.source16));
}

void ConvertTarvexc(benchmark::State& state) {
  const BigFiles& f = Big();
  RunProcess(state, {TARVEXC_PATH, "convert", f.binary16, "-o", f.binary16 + ".inf"},
             SizeOf(f.binary16));
}

void ConvertDirect(benchmark::State& state) {
  const BigFiles& f = Big();
  RunProcess(state, {DIRECT_CIPHER_PATH, "decipher", f.binary16, f.binary16 + ".direct"},
             SizeOf(f.binary16));
}

void CheckWith(benchmark::State& state, const std::string& dictionary, const std::string& source) {
  RunProcess(state, {TARVEXC_PATH, "--keywords", dictionary, "check", source}, SizeOf(source));
}

void Check10000(benchmark::State& state) {
  const Workload& w = Workload::Get();
  CheckWith(state, w.dictionaryPath, w.sourcePath);
}

void Check100(benchmark::State& state) {
  const Workload& w = Workload::Get();
  CheckWith(state, w.smallDictPath, w.smallSourcePath);
}

// Start-up: a program that does nothing, and tarvexc doing next to nothing.
void StartEmpty(benchmark::State& state) {
  RunProcess(state, {EMPTY_PROGRAM_PATH}, 0);
}

void StartHelp(benchmark::State& state) {
  RunProcess(state, {TARVEXC_PATH, "--help"}, 0);
}

void StartCheck(benchmark::State& state) {
  const Workload& w = Workload::Get();
  CheckWith(state, w.smallDictPath, w.tinySourcePath);
}

void Convert48Peak(benchmark::State& state) {
  const BigFiles& f = Big();
  RunProcess(state, {TARVEXC_PATH, "convert", f.binary48, "-o", f.binary48 + ".inf"},
             SizeOf(f.binary48), /*reportPeak=*/true);
}

}  // namespace

BENCHMARK(GenerateTarvexc)
    ->Name("Process/Generate_16MB/tarvexc")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(GenerateDirect)
    ->Name("Process/Generate_16MB/direct")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(ConvertTarvexc)
    ->Name("Process/Convert_16MB/tarvexc")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(ConvertDirect)
    ->Name("Process/Convert_16MB/direct")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Check10000)
    ->Name("Process/Check_1MB/10000_rows")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Check100)
    ->Name("Process/Check_1MB/100_rows")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(StartEmpty)
    ->Name("Process/Startup/empty_program")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(StartHelp)
    ->Name("Process/Startup/tarvexc_help")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(StartCheck)
    ->Name("Process/Startup/tarvexc_check_1KB")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Convert48Peak)
    ->Name("Process/Convert_48MB")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace tarvex::bench
