// Where the reading pauses: each case is a text and the phrases it is read in.
#include "docpick/phrase_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docpick/reading_engine.h"

namespace lexiv::docpick {
namespace {

std::vector<std::string> Phrases(const std::string& text) {
  std::vector<std::string> phrases;
  std::size_t start = 0;
  while (start < text.size()) {
    const PhraseBounds phrase = NextPhrase(text, start);
    phrases.push_back(text.substr(start, phrase.endByte - start));
    if (phrase.nextByte <= start) break;
    start = phrase.nextByte;
  }
  return phrases;
}

TEST(PhraseSplitterTest, PunctuationBlanksAndLineEndsEndPhrasesButNotCommasAfterDigits) {
  struct Case {
    const char* text;
    std::vector<std::string> phrases;
  };
  const Case cases[] = {
      {"辞書を引きます、そして読みます。", {"辞書を", "引きます、", "そして読みます。"}},
      {"１,２００円です。", {"１,２００円です。"}},
      {"3.14と2，5", {"3.14と2，5"}},
      {"はい,いいえ.そう，ですね．", {"はい,", "いいえ.", "そう，", "ですね．"}},
      {"何?本当？", {"何?", "本当？"}},
      {"一行目\r\n二行目", {"一行目\r", "二行目"}},
      {"A B　C", {"A ", "B　", "C"}},
      {"ｱ､ｲ｡ｳ･ｴ・オ", {"ｱ､", "ｲ｡", "ｳ･", "ｴ・", "オ"}},
      {"終わりのない文", {"終わりのない文"}},
      // A comma right after a comma is no number: only a digit keeps the phrase going.
      {"1,,2", {"1,,", "2"}},
      // A lead byte cut off at the end is one character, never read past.
      {"あ\x82", {"あ\x82"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Phrases(c.text), c.phrases) << c.text;
}

TEST(PhraseSplitterTest, TheLineFeedAfterACarriageReturnIsSkipped) {
  const std::string text = "行\r\n次";
  const PhraseBounds phrase = NextPhrase(text, 0);
  EXPECT_EQ(phrase.endByte, 3u);
  EXPECT_EQ(phrase.nextByte, 4u);
  EXPECT_EQ(NextPhrase(text, text.size()).endByte, text.size());
}

TEST(ReadingMovesTest, BackRewindAndForwardLandOnPhraseAndLineStarts) {
  const std::string text = "一つ目、二つ目、三つ目。";
  // Back from the third phrase (which starts at byte 16) lands on the second's start.
  EXPECT_EQ(ReadingEngine::BackOnePhraseFrom(text, 16, 20), 8u);
  EXPECT_EQ(ReadingEngine::BackOnePhraseFrom(text, 0, 4), 0u);
  // Within 100 characters of the start, rewind goes to the start.
  EXPECT_EQ(ReadingEngine::RewindFrom(text, 20), 0u);
  // 150 characters of phrases of ten: back 100 from the end lands on a phrase start.
  std::string longText;
  for (int i = 0; i < 15; ++i) longText += "あいうえおかきくけ、";
  const std::size_t rewound = ReadingEngine::RewindFrom(longText, longText.size());
  EXPECT_EQ(rewound, longText.size() - 100 * 2);
  EXPECT_EQ(rewound % 20, 0u);

  // Forward: lines of 60 characters; the first line that starts more than 100 characters on.
  std::string lines;
  for (int i = 0; i < 4; ++i) lines += std::string(60, 'a') + "\r\n";
  EXPECT_EQ(ReadingEngine::FastForwardFrom(lines, 0), 2u * 62);
  // Without a further line break the caret stays.
  EXPECT_EQ(ReadingEngine::FastForwardFrom("no break", 3), 3u);
}

}  // namespace
}  // namespace lexiv::docpick
