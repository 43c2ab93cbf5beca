#include "reader/japanese_voice.h"

#include <gtest/gtest.h>

namespace lexiv::reader {
namespace {

TEST(JapaneseVoiceTest, OnlyJapaneseCountsAndEspeakComesLast) {
  struct Case {
    const char* what;
    std::vector<VoiceOffer> offers;
    std::string chosen;  // the voice's name; empty: none
  };
  const Case cases[] = {
      {"language and region", {{"espeak-ng", "Japanese", "ja-JP"}}, "Japanese"},
      {"underscore and capitals", {{"espeak-ng", "Japanese", "JA_jp"}}, "Japanese"},
      {"a language that only starts with ja", {{"espeak-ng", "Jamaican Creole", "jam"}}, ""},
      {"other languages", {{"espeak-ng", "English", "en-US"}, {"flite", "kal", "en"}}, ""},
      {"nothing offered", {}, ""},
      {"espeak-ng's kana reader after any other",
       {{"espeak-ng", "Japanese", "ja"}, {"espeak-ng-mbrola-generic", "jp1", "ja"}, {"openjtalk-generic", "mei", "ja"}},
       "mei"},
      {"the first of two good ones", {{"a-generic", "one", "ja"}, {"b-generic", "two", "ja"}}, "one"},
  };
  for (const Case& c : cases) {
    const std::optional<VoiceOffer> voice = ChooseJapaneseVoice(c.offers);
    EXPECT_EQ(voice ? voice->name : std::string(), c.chosen) << c.what;
  }
}

}  // namespace
}  // namespace lexiv::reader
