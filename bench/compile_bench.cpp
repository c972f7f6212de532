// Generate end to end on the 1 MB source, the way back, loading a large
// dictionary, and copying the source as the measure of the bare I/O.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "commands/main_frame_logic.h"
#include "keywords/keyword_file.h"
#include "platform/fake_window_system.h"
#include "platform/resource_ids.h"
#include "workload.h"

namespace tarvex::bench {
namespace {

const KeywordTable& Dictionary(int rows) {
  Workload& w = Workload::Get();
  return rows == kLargeDictionaryRows ? w.largeDictionary : w.smallDictionary;
}

// The 1 MB source that draws its keywords from the dictionary of `rows` rows.
const std::string& SourcePath(int rows) {
  Workload& w = Workload::Get();
  return rows == kLargeDictionaryRows ? w.sourcePath : w.smallSourcePath;
}

// True when the one message shown is the success message.
bool Succeeded(const FakeWindowSystem& ws) {
  return ws.boxes.size() == 1 && ws.boxes[0].id == IDS_GENERATED_SUCCESSFULLY;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * Workload::Get().sourceText.size()));
}

// Generate's check alone: reading the file, taking every entry apart, the lookups.
void Check(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    FakeWindowSystem ws;
    MainFrameLogic frame(ws);
    frame.SetKeywordTable(&Dictionary(rows));
    frame.m_sourcePath = SourcePath(rows);
    if (!frame.CheckSource() || !ws.boxes.empty()) {
      state.SkipWithError(ws.boxes.empty() ? "check failed" : ws.boxes[0].text.c_str());
      break;
    }
  }
  SetBytes(state);
}

// The check pass on the source in memory, as Generate runs it on what it read.
void CheckPass(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    FakeWindowSystem ws;
    MainFrameLogic frame(ws);
    frame.SetKeywordTable(&Workload::Get().largeDictionary);
    if (!frame.CheckSourceText(text) || !ws.boxes.empty()) {
      state.SkipWithError(ws.boxes.empty() ? "check failed" : ws.boxes[0].text.c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void CheckPass1(benchmark::State& state) {
  CheckPass(state, Workload::Get().sourceText);
}

void CheckPass16(benchmark::State& state) {
  CheckPass(state, Workload::Get().source16Text);
}

// One value continued over 40,000 lines: the joins must stay linear.
void CheckContinued(benchmark::State& state) {
  Workload& w = Workload::Get();
  for (auto _ : state) {
    FakeWindowSystem ws;
    MainFrameLogic frame(ws);
    frame.SetKeywordTable(&w.smallDictionary);
    frame.m_sourcePath = w.continuedPath;
    if (!frame.CheckSource() || !ws.boxes.empty()) {
      state.SkipWithError(ws.boxes.empty() ? "check failed" : ws.boxes[0].text.c_str());
      break;
    }
  }
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * std::filesystem::file_size(w.continuedPath)));
}

// Generate on the saved source: check, then write policy.bin.
void CheckAndWrite(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    FakeWindowSystem ws;
    MainFrameLogic frame(ws);
    frame.SetKeywordTable(&Dictionary(rows));
    if (!frame.GenerateFromPath(SourcePath(rows)) || !Succeeded(ws)) {
      state.SkipWithError(ws.boxes.empty() ? "generate failed" : ws.boxes[0].text.c_str());
      break;
    }
  }
  SetBytes(state);
}

// Generate on policy.bin: recognise it, then convert it into policy.inf.
void Convert(benchmark::State& state) {
  Workload& w = Workload::Get();
  {
    FakeWindowSystem ws;
    MainFrameLogic frame(ws);
    frame.SetKeywordTable(&w.largeDictionary);
    if (!frame.GenerateFromPath(w.sourcePath)) {
      state.SkipWithError("cannot write the policy binary file");
      return;
    }
  }
  for (auto _ : state) {
    FakeWindowSystem ws;
    MainFrameLogic frame(ws);
    if (!frame.GenerateFromPath(w.binaryPath) || !Succeeded(ws)) {
      state.SkipWithError(ws.boxes.empty() ? "convert failed" : ws.boxes[0].text.c_str());
      break;
    }
  }
  SetBytes(state);
}

// The physical cost: read the source and write it beside itself, through a
// temporary file renamed over the target, as the writer does.
void CopySource(benchmark::State& state) {
  Workload& w = Workload::Get();
  const std::string temp = w.copyTargetPath + ".tmp";
  auto buffer = std::make_unique<char[]>(64 * 1024);
  for (auto _ : state) {
    std::FILE* in = std::fopen(w.sourcePath.c_str(), "rb");
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (in == nullptr || out == nullptr) {
      state.SkipWithError("cannot open the copy's files");
      if (in) std::fclose(in);
      if (out) std::fclose(out);
      break;
    }
    std::size_t n;
    while ((n = std::fread(buffer.get(), 1, 64 * 1024, in)) > 0)
      std::fwrite(buffer.get(), 1, n, out);
    std::fclose(in);
    std::fclose(out);
    std::filesystem::rename(temp, w.copyTargetPath);
  }
  SetBytes(state);
}

void LoadDictionary(benchmark::State& state) {
  Workload& w = Workload::Get();
  std::size_t rows = 0;
  for (auto _ : state) {
    FakeWindowSystem ws;
    KeywordTable table;
    if (!LoadKeywordFile(table, w.loadDictPath, ws)) {
      state.SkipWithError("cannot read the dictionary");
      break;
    }
    rows = table.size();
  }
  if (rows != kLoadDictionaryRows && !state.error_occurred()) state.SkipWithError("rows lost");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kLoadDictionaryRows));
}

}  // namespace

BENCHMARK(Check)
    ->Name("Generate/Check_only/100_rows")
    ->Arg(kSmallDictionaryRows)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Check)
    ->Name("Generate/Check_only/10000_rows")
    ->Arg(kLargeDictionaryRows)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(CheckPass1)
    ->Name("CheckPass/sound_1MB/10000_rows")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(CheckPass16)
    ->Name("CheckPass/sound_16MB/10000_rows")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(CheckContinued)
    ->Name("Generate/Check_only/one_value_continued_over_40000_lines")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(CheckAndWrite)
    ->Name("Generate/Check_and_write/100_rows")
    ->Arg(kSmallDictionaryRows)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(CheckAndWrite)
    ->Name("Generate/Check_and_write/10000_rows")
    ->Arg(kLargeDictionaryRows)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Convert)->Name("Generate/Convert_back")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopySource)
    ->Name("Baseline/Copy_1MB_source")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(LoadDictionary)
    ->Name("Keywords/LoadKeywordFile/100000_rows")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace tarvex::bench
