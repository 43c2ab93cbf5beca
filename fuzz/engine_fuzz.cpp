// Fuzz target: a dictionary made of fuzzed bytes is opened, searched, and read entry by entry in
// both directions. Any crash, sanitizer report, hang or broken paging invariant is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/dictionary_engine.h"
#include "engine/entry_text.h"
#include "fuzz/dictionary_bundle.h"

namespace {

// Made once per process and removed at exit. The string is never destroyed, so the exit handler
// can still read it whatever order static destructors run in.
const std::string& ScratchDir() {
  static const std::string* dir = [] {
    std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/lexiv-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* made = new std::string(pattern + "/");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchDir(), ignored);
    });
    return made;
  }();
  return *dir;
}

// Pages from position in one direction until the engine says there is no further entry. Each
// step must move strictly the right way, or paging would never end.
void PageThrough(lexiv::DictionaryEngine& engine, std::int32_t position, int direction, std::int64_t fileSize) {
  lexiv::EntryRecord entry;
  for (std::int64_t steps = 0; steps <= fileSize / 4 + 1; ++steps) {
    std::int32_t before = position;
    if (engine.ReadEntry(position, direction, entry) != 0) return;
    if (direction == lexiv::kEntryNext ? position <= before : position >= before) __builtin_trap();
    lexiv::FormatEntryText(entry);
  }
  __builtin_trap();  // more steps than records could fit in the file
}

// Searches held twice (the second time from the record offsets it kept) and traps unless both
// give result r and the same hits as expected.
void ExpectSameHits(lexiv::DictionaryEngine& held, const char* key, int mode, int wildcards, int r,
                    const lexiv::SearchHit* expected) {
  static lexiv::SearchHit hits[300];
  for (int round = 0; round < 2; ++round) {
    if (held.SearchHeadwords(key, mode, wildcards, hits, 300) != r) __builtin_trap();
    for (int i = 0; i < r && i < 300; ++i)
      if (hits[i].entryPos != expected[i].entryPos || hits[i].kind != expected[i].kind ||
          hits[i].rank != expected[i].rank || std::strcmp(hits[i].headword, expected[i].headword) != 0 ||
          std::strcmp(hits[i].reading, expected[i].reading) != 0)
        __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bundle(reinterpret_cast<const char*>(data), size);
  if (!lexiv::fuzz::UnpackDictionary(bundle, ScratchDir())) return 0;
  std::int64_t dicSize = static_cast<std::int64_t>(std::filesystem::file_size(ScratchDir() + "YOMIGO.DIC"));

  lexiv::DictionaryEngine engine;
  if (engine.OpenDictionary(ScratchDir()) != 0) return 0;
  // The same dictionary searched in memory (batch mode's way) must give the same results.
  lexiv::DictionaryEngine held;
  held.HoldIndexesInMemory(0);
  if (held.OpenDictionary(ScratchDir()) != 0) __builtin_trap();

  static constexpr const char* kKeys[] = {"あ", "あい*", "*こう", "か*", "漢*", "＊字", "*", "", "ｶﾞｯｺｳ", "国語辞典"};
  lexiv::SearchHit hits[300];
  lexiv::EntryRecord entry;
  for (const char* key : kKeys) {
    for (int wildcards = 0; wildcards <= 1; ++wildcards) {
      int r = engine.SearchHeadwords(key, lexiv::kSearchKey, wildcards, hits, 300);
      if (r < -1 || r > 301) __builtin_trap();
      ExpectSameHits(held, key, lexiv::kSearchKey, wildcards, r, hits);
      for (int i = 0; i < r && i < 300; ++i) {
        std::int32_t pos = hits[i].entryPos;
        if (engine.ReadEntry(pos, lexiv::kEntryAt, entry) == 0) lexiv::FormatEntryText(entry);
      }
    }
  }
  static constexpr const char* kTexts[] = {"漢字を読む", "かなで書く", "ｱｲｳ", "a"};
  for (const char* text : kTexts) {
    int r = engine.SearchHeadwords(text, lexiv::kSearchText, 0, hits, 300);
    ExpectSameHits(held, text, lexiv::kSearchText, 0, r, hits);
  }

  PageThrough(engine, 0, lexiv::kEntryNext, dicSize);
  std::int32_t last = 0;
  for (std::int32_t pos = 0; engine.ReadEntry(pos, lexiv::kEntryNext, entry) == 0;) {
    if (pos <= last) break;
    last = pos;
  }
  PageThrough(engine, last, lexiv::kEntryPrevious, dicSize);
  engine.CloseDictionary();
  return 0;
}
