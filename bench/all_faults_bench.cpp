// The check that lists every fault, on the 1 MB and 16 MB sources held in
// memory: the check that runs after each pause in typing, in the editor and
// in the language server. On the 1 MB source it must take under 10 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "checker/all_faults.h"
#include "workload.h"

namespace tarvex::bench {
namespace {

// The source with every boolean value spoilt: thousands of faults to report.
const std::string& FaultySource() {
  static const std::string text = [] {
    std::string s = Workload::Get().sourceText;
    for (std::size_t at = s.find("= TRUE"); at != std::string::npos; at = s.find("= TRUE", at)) {
      s.replace(at, 6, "= TRU3");
    }
    return s;
  }();
  return text;
}

void CheckAll(benchmark::State& state, const std::string& text) {
  const KeywordTable& table = Workload::Get().largeDictionary;
  std::size_t faults = 0;
  for (auto _ : state) {
    std::vector<SourceFault> found = CheckText(text, table);
    faults = found.size();
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["faults"] = static_cast<double>(faults);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void SoundSource(benchmark::State& state) {
  CheckAll(state, Workload::Get().sourceText);
}

void SoundSource16(benchmark::State& state) {
  CheckAll(state, Workload::Get().source16Text);
}

void ManyFaults(benchmark::State& state) {
  CheckAll(state, FaultySource());
}

}  // namespace

BENCHMARK(SoundSource)
    ->Name("CheckText/All_faults/sound_1MB/10000_rows")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(SoundSource16)
    ->Name("CheckText/All_faults/sound_16MB/10000_rows")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(ManyFaults)
    ->Name("CheckText/All_faults/faulty_1MB/10000_rows")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace tarvex::bench
