// The reader's character descriptions over the kanji table the build compiled from KANJIDIC
// (see docs/performance.md for how to run them).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "reader/character_description.h"
#include "reader/kanji_readings.h"

namespace {

using lexiv::reader::KanjiReadings;

const std::string& TablePath() {
  static const std::string path = std::string(LEXIV_BIN_DIR) + "/voxa/kanji-readings.bin";
  return path;
}

// Every code of the first kanji level, so the lookups hit and miss as a real text does.
std::vector<std::string> LevelOneKanji() {
  std::vector<std::string> kanji;
  for (unsigned lead = 0x88; lead <= 0x98; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
      if (trail != 0x7F) kanji.push_back({static_cast<char>(lead), static_cast<char>(trail)});
  return kanji;
}

// What the first character description costs on top of it: the table mapped and checked.
void BM_KanjiTableOpen(benchmark::State& state) {
  for (auto _ : state) {
    KanjiReadings table;
    if (table.Open(TablePath()) != 0) {
      state.SkipWithError("no kanji table: build with KANJIDIC installed");
      return;
    }
    benchmark::DoNotOptimize(table.size());
  }
}
BENCHMARK(BM_KanjiTableOpen);

void BM_DescribeKanji(benchmark::State& state) {
  KanjiReadings table;
  if (table.Open(TablePath()) != 0) {
    state.SkipWithError("no kanji table: build with KANJIDIC installed");
    return;
  }
  const std::vector<std::string> kanji = LevelOneKanji();
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lexiv::reader::DescribeCharacter(kanji[next], table));
    next = (next + 1) % kanji.size();
  }
}
BENCHMARK(BM_DescribeKanji);

void BM_HeadwordGuideText(benchmark::State& state) {
  KanjiReadings table;
  if (table.Open(TablePath()) != 0) {
    state.SkipWithError("no kanji table: build with KANJIDIC installed");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(lexiv::reader::HeadwordGuideText("国語辞典", table));
}
BENCHMARK(BM_HeadwordGuideText);

}  // namespace

BENCHMARK_MAIN();
