// Fuzz target over the text functions: key normalisation, kana widening, key reversal, the
// meaning reformatter and its expanders, and text lookups probing the sample dictionary.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/dictionary_engine.h"
#include "engine/key_normalizer.h"
#include "engine/meaning_format.h"

namespace {

lexiv::DictionaryEngine* SampleDictionary() {
  static lexiv::DictionaryEngine* engine = [] {
    auto* e = new lexiv::DictionaryEngine;
    const char* dir = std::getenv("LEXIV_FUZZ_DICT");
    std::string path = dir != nullptr ? dir
                                      : (std::filesystem::read_symlink("/proc/self/exe").parent_path() /
                                         "Dic" / "Yomigo").string() + "/";
    if (e->OpenDictionary(path) != 0) {
      delete e;
      return static_cast<lexiv::DictionaryEngine*>(nullptr);
    }
    return e;
  }();
  return engine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);

  std::string key;
  int keyClass = lexiv::NormalizeKey(text, key);
  if (keyClass != lexiv::kReadingKey && keyClass != lexiv::kWrittenKey) __builtin_trap();
  if (key.size() > lexiv::kMaxKeyBytes) __builtin_trap();
  lexiv::ReverseKey(key, keyClass);

  std::string wide;
  lexiv::WidenKana(text, lexiv::kHiragana, wide);
  lexiv::WidenKana(text, lexiv::kKatakana, wide);

  std::string display;
  lexiv::ReformatMeaning(text, display);
  if (display.size() >= lexiv::kMeaningBufferBytes) __builtin_trap();
  std::string expansion;
  lexiv::ExpandGrammarTag(text, expansion);
  expansion.clear();
  lexiv::ExpandWordList(text, expansion);

  if (lexiv::DictionaryEngine* engine = SampleDictionary()) {
    lexiv::SearchHit hits[300];
    // The engine takes NUL-terminated text; the first NUL of the input ends it.
    int r = engine->SearchHeadwords(text.c_str(), lexiv::kSearchText, 0, hits, 300);
    if (r < -1 || r > 301) __builtin_trap();
    r = engine->SearchHeadwords(text.c_str(), lexiv::kSearchKey, 1, hits, 300);
    if (r < -1 || r > 301) __builtin_trap();
  }
  return 0;
}
