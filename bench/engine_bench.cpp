// Engine benchmarks on the EDICT-built dictionary (see docs/performance.md for how to run them).
// Keys are taken from the dictionary itself by paging through it once, so every exact search
// finds something.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/dictionary_engine.h"
#include "engine/entry_text.h"

namespace {

struct BenchDictionary {
  lexiv::DictionaryEngine engine;
  bool open = false;
  std::vector<std::int32_t> positions;
  std::vector<std::string> readings;  // as stored (kana)
  std::vector<std::string> written;   // written form 1, where there is one

  BenchDictionary() {
    const char* dir = std::getenv("LEXIV_BENCH_DICT");
    open = engine.OpenDictionary(dir != nullptr ? dir : LEXIV_BENCH_DICT) == 0;
    if (!open) return;
    lexiv::EntryRecord entry;
    std::int32_t pos = 0;
    if (engine.ReadEntry(pos, lexiv::kEntryAt, entry) != 0) return;
    do {
      positions.push_back(pos);
      readings.emplace_back(entry.reading);
      if (entry.written[0][0] != '\0') written.emplace_back(entry.written[0]);
    } while (engine.ReadEntry(pos, lexiv::kEntryNext, entry) == 0);
  }
};

BenchDictionary& Dictionary() {
  static BenchDictionary d;
  return d;
}

bool Ready(benchmark::State& state) {
  if (Dictionary().open && !Dictionary().positions.empty()) return true;
  state.SkipWithError("benchmark dictionary missing: build the edict_dictionary target");
  return false;
}

// A fixed sample of keys, the same on every run.
std::vector<std::string> Sample(const std::vector<std::string>& from, std::size_t n) {
  std::vector<std::string> out;
  std::mt19937 rng(12345);
  std::uniform_int_distribution<std::size_t> pick(0, from.size() - 1);
  for (std::size_t i = 0; i < n && !from.empty(); ++i) out.push_back(from[pick(rng)]);
  return out;
}

void SearchKeys(benchmark::State& state, const std::vector<std::string>& keys, int mode, int wildcards) {
  lexiv::SearchHit hits[300];
  std::size_t i = 0;
  std::int64_t found = 0;
  for (auto _ : state) {
    int r = Dictionary().engine.SearchHeadwords(keys[i].c_str(), mode, wildcards, hits, 300);
    found += r > 0 ? r : 0;
    benchmark::DoNotOptimize(r);
    if (++i == keys.size()) i = 0;
  }
  state.counters["hits/search"] = benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}

void BM_ExactReading(benchmark::State& state) {
  if (!Ready(state)) return;
  static const auto keys = Sample(Dictionary().readings, 4096);
  SearchKeys(state, keys, lexiv::kSearchKey, 1);
}
BENCHMARK(BM_ExactReading);

void BM_ExactWritten(benchmark::State& state) {
  if (!Ready(state)) return;
  static const auto keys = Sample(Dictionary().written, 4096);
  SearchKeys(state, keys, lexiv::kSearchKey, 1);
}
BENCHMARK(BM_ExactWritten);

// Short keys whose prefix or suffix runs fill the 300-hit array in a large dictionary.
void BM_PrefixReadingFull(benchmark::State& state) {
  if (!Ready(state)) return;
  SearchKeys(state, {"か*", "こう*", "し*", "たい*"}, lexiv::kSearchKey, 1);
}
BENCHMARK(BM_PrefixReadingFull);

void BM_SuffixReadingFull(benchmark::State& state) {
  if (!Ready(state)) return;
  SearchKeys(state, {"*う", "*かん", "*しょう", "*い"}, lexiv::kSearchKey, 1);
}
BENCHMARK(BM_SuffixReadingFull);

void BM_PrefixWrittenFull(benchmark::State& state) {
  if (!Ready(state)) return;
  SearchKeys(state, {"大*", "人*", "一*", "電*"}, lexiv::kSearchKey, 1);
}
BENCHMARK(BM_PrefixWrittenFull);

void BM_SuffixWrittenFull(benchmark::State& state) {
  if (!Ready(state)) return;
  SearchKeys(state, {"*性", "*者", "*的", "*化"}, lexiv::kSearchKey, 1);
}
BENCHMARK(BM_SuffixWrittenFull);

// Running text made of written forms strung together, cut to the given number of characters
// on a character boundary: what the cursor command hands over.
std::vector<std::string> RunningTexts(std::size_t chars) {
  std::vector<std::string> out;
  auto words = Sample(Dictionary().written, 4096);
  for (std::size_t i = 0; i + 8 < words.size() && out.size() < 512; i += 8) {
    std::string text;
    for (std::size_t j = i; j < i + 8; ++j) text += words[j];
    std::size_t bytes = 0, n = 0;
    while (bytes < text.size() && n < chars) {
      unsigned char c = static_cast<unsigned char>(text[bytes]);
      bytes += ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ? 2 : 1;
      ++n;
    }
    if (n == chars) out.push_back(text.substr(0, bytes));
  }
  return out;
}

void BM_TextLookup(benchmark::State& state) {
  if (!Ready(state)) return;
  auto texts = RunningTexts(static_cast<std::size_t>(state.range(0)));
  if (texts.empty()) {
    state.SkipWithError("no running text could be made");
    return;
  }
  SearchKeys(state, texts, lexiv::kSearchText, 0);
}
BENCHMARK(BM_TextLookup)->Arg(10)->Arg(40);

void BM_ReadAndFormatEntry(benchmark::State& state) {
  if (!Ready(state)) return;
  std::vector<std::int32_t> positions;
  std::mt19937 rng(777);
  std::uniform_int_distribution<std::size_t> pick(0, Dictionary().positions.size() - 1);
  for (int i = 0; i < 4096; ++i) positions.push_back(Dictionary().positions[pick(rng)]);
  lexiv::EntryRecord entry;
  std::size_t i = 0;
  for (auto _ : state) {
    std::int32_t pos = positions[i];
    int r = Dictionary().engine.ReadEntry(pos, lexiv::kEntryAt, entry);
    lexiv::EntryText text = lexiv::FormatEntryText(entry);
    benchmark::DoNotOptimize(r);
    benchmark::DoNotOptimize(text.plain.data());
    if (++i == positions.size()) i = 0;
  }
}
BENCHMARK(BM_ReadAndFormatEntry);

void BM_PageForward(benchmark::State& state) {
  if (!Ready(state)) return;
  lexiv::EntryRecord entry;
  std::int32_t pos = 0;
  for (auto _ : state) {
    if (Dictionary().engine.ReadEntry(pos, lexiv::kEntryNext, entry) != 0) pos = 0;
    benchmark::DoNotOptimize(entry.meaning.data());
  }
}
BENCHMARK(BM_PageForward);

void BM_PageBackward(benchmark::State& state) {
  if (!Ready(state)) return;
  lexiv::EntryRecord entry;
  std::int32_t last = Dictionary().positions.back();
  std::int32_t pos = last;
  for (auto _ : state) {
    if (Dictionary().engine.ReadEntry(pos, lexiv::kEntryPrevious, entry) != 0) pos = last;
    benchmark::DoNotOptimize(entry.meaning.data());
  }
}
BENCHMARK(BM_PageBackward);

}  // namespace

BENCHMARK_MAIN();
