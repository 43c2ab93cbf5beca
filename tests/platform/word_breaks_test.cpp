#include "platform/services/word_breaks.h"

#include <gtest/gtest.h>

#include <string>

namespace lexiv::platform {
namespace {

// Each case: a text, a byte position, where Ctrl+Right and Ctrl+Left go from there.
struct WordCase {
  const char* text;
  std::size_t from;
  std::size_t next;
  std::size_t previous;
};

TEST(WordBreaksTest, WordsAreRunsOfOneKindOfCharacter) {
  const WordCase cases[] = {
      {"abc def", 0, 4, 0},
      {"abc def", 4, 7, 0},
      {"abc def", 5, 7, 4},
      {"abc  ,x", 0, 5, 0},             // blanks passed over, punctuation is a word of its own
      {"漢字かなカナー", 0, 4, 0},       // kanji, then hiragana, then katakana with the long mark
      {"漢字かなカナー", 4, 8, 0},
      {"漢字かなカナー", 14, 14, 8},
      {"かな　漢字", 0, 6, 0},           // the full-width space is a blank
      {"かな　漢字", 10, 10, 6},
      {"ｶﾅabc", 0, 2, 0},               // half-width katakana
      {"ab\r\ncd", 2, 4, 0},            // a line end is a stop of its own
      {"ab\r\ncd", 4, 6, 2},
      {"", 0, 0, 0},
  };
  for (const WordCase& c : cases) {
    EXPECT_EQ(NextWordStart(c.text, c.from), c.next) << c.text << " from " << c.from;
    EXPECT_EQ(PrevWordStart(c.text, c.from), c.previous) << c.text << " from " << c.from;
  }
}

}  // namespace
}  // namespace lexiv::platform
