// The line cipher over 16 MB of policy text: LineCipher beside the direct,
// byte-by-byte form of the algorithm, in both directions.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "cipher/cipher_path.h"
#include "cipher/line_cipher.h"
#include "cipher/line_cipher_reader.h"
#include "cipher/reference_line_cipher.h"
#include "platform/byte_sink.h"
#include "workload.h"

namespace tarvex::bench {
namespace {
using testing::ReferenceLineCipher;

const uint8_t* Bytes(const std::string& s) {
  return reinterpret_cast<const uint8_t*>(s.data());
}
uint8_t* Bytes(std::string& s) {
  return reinterpret_cast<uint8_t*>(s.data());
}

const std::string& Enciphered() {
  static const std::string bytes = [] {
    const std::string& plain = Workload::Get().cipherPlain;
    std::string out(plain.size(), '\0');
    LineCipher c;
    c.EncipherBytes(Bytes(plain), plain.size(), Bytes(out));
    return out;
  }();
  return bytes;
}

void Finish(benchmark::State& state, std::size_t bytes, const std::string& out) {
  benchmark::DoNotOptimize(out.data());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void EncipherDirect(benchmark::State& state) {
  const std::string& plain = Workload::Get().cipherPlain;
  std::string out(plain.size(), '\0');
  for (auto _ : state) {
    ReferenceLineCipher c;
    for (std::size_t i = 0; i < plain.size(); ++i) {
      out[i] = static_cast<char>(c.EncipherByte(static_cast<uint8_t>(plain[i])));
    }
    benchmark::ClobberMemory();
  }
  Finish(state, plain.size(), out);
}

void EncipherFast(benchmark::State& state) {
  const std::string& plain = Workload::Get().cipherPlain;
  std::string out(plain.size(), '\0');
  for (auto _ : state) {
    LineCipher c;
    c.EncipherBytes(Bytes(plain), plain.size(), Bytes(out));
    benchmark::ClobberMemory();
  }
  if (out != Enciphered()) state.SkipWithError("LineCipher gave other bytes");
  Finish(state, plain.size(), out);
}

// One form of the enciphering kernel, forced.
void EncipherOnPath(benchmark::State& state, CipherPath path) {
  ForceCipherPath(path);
  EncipherFast(state);
  ResetCipherPath();
}

// A benchmark for every form this processor runs.
const bool kPathBenchmarksRegistered = [] {
  for (CipherPath path : AllCipherPaths()) {
    if (!CipherPathSupported(path)) continue;
    benchmark::RegisterBenchmark(
        (std::string("Cipher/Encipher/LineCipher_") + CipherPathName(path)).c_str(), EncipherOnPath,
        path)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

// As the writer calls it: one EncipherText per source line, into a sink.
void EncipherTextByLine(benchmark::State& state) {
  const std::string& plain = Workload::Get().cipherPlain;
  class CountingSink : public ByteSink {
   public:
    bool Write(std::string_view bytes) override {
      count += bytes.size();
      benchmark::DoNotOptimize(bytes.data());
      return true;
    }
    std::size_t count = 0;
  } sink;
  for (auto _ : state) {
    LineCipher c;
    std::string_view rest(plain);
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      const std::size_t n = end == std::string_view::npos ? rest.size() : end + 1;
      c.EncipherText(rest.substr(0, n), sink);
      rest.remove_prefix(n);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
}

void DecipherDirect(benchmark::State& state) {
  const std::string& in = Enciphered();
  std::string out(in.size(), '\0');
  for (auto _ : state) {
    ReferenceLineCipher c;
    for (std::size_t i = 0; i < in.size(); ++i) {
      out[i] = static_cast<char>(c.DecipherByte(static_cast<uint8_t>(in[i])));
    }
    benchmark::ClobberMemory();
  }
  if (out != Workload::Get().cipherPlain) state.SkipWithError("wrong plain text");
  Finish(state, in.size(), out);
}

void DecipherFast(benchmark::State& state) {
  const std::string& in = Enciphered();
  std::string out(in.size(), '\0');
  for (auto _ : state) {
    LineCipher c;
    c.DecipherBytes(Bytes(in), in.size(), Bytes(out));
    benchmark::ClobberMemory();
  }
  if (out != Workload::Get().cipherPlain) state.SkipWithError("wrong plain text");
  Finish(state, in.size(), out);
}

// As the converter reads: a policy binary file, line by line, from the disk.
void DecipherReaderLines(benchmark::State& state) {
  const std::string& in = Enciphered();
  const std::string path = Workload::Get().binaryPath + ".16mb";
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(in.data(), 1, in.size(), f);
    std::fclose(f);
  }
  std::size_t total = 0;
  for (auto _ : state) {
    LineCipherReader reader;
    if (!reader.OpenBinary(path)) {
      state.SkipWithError("cannot open the enciphered file");
      break;
    }
    std::string line;
    total = 0;
    while (reader.ReadLine(&line)) {
      total += line.size();
      line.clear();
    }
    total += line.size();
  }
  if (total != in.size() && !state.error_occurred()) state.SkipWithError("lost bytes");
  std::remove(path.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

}  // namespace

BENCHMARK(EncipherDirect)->Name("Cipher/Encipher/Direct")->Unit(benchmark::kMillisecond);
BENCHMARK(EncipherFast)->Name("Cipher/Encipher/LineCipher")->Unit(benchmark::kMillisecond);
BENCHMARK(EncipherTextByLine)
    ->Name("Cipher/Encipher/LineCipher_EncipherText_per_line")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DecipherDirect)->Name("Cipher/Decipher/Direct")->Unit(benchmark::kMillisecond);
BENCHMARK(DecipherFast)->Name("Cipher/Decipher/LineCipher")->Unit(benchmark::kMillisecond);
BENCHMARK(DecipherReaderLines)
    ->Name("Cipher/Decipher/LineCipherReader_file_by_line")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace tarvex::bench
