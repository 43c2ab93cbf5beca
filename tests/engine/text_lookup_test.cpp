#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/dictionary_engine.h"
#include "search_fixture.h"

namespace lexiv {
namespace {

using ::testing::ElementsAreArray;
using testing::Headwords;
using testing::TempDir;
using testing::Word;

class TextLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteWords({Word("かん", "漢"), Word("かんじ", "漢字"), Word("か", "蚊"), Word("かな"), Word("カナ"),
                         Word("ひらがな", "ひらがな"), Word("じしょ", "辞書"), Word("じ", "字")},
                        dir_);
    ASSERT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
  }

  int Lookup(const std::string& text, int maxHits = 300) {
    return engine_.SearchHeadwords(text.c_str(), kSearchText, 0, hits_, maxHits);
  }

  TempDir dir_;
  DictionaryEngine engine_;
  SearchHit hits_[300];
};

TEST_F(TextLookupTest, ListsTheWordsTheTextBeginsWithLongestFirst) {
  struct Case {
    std::string text;
    std::vector<std::string> headwords;
  };
  const Case cases[] = {
      {"漢字を", {"漢字", "漢"}},       // tries 漢字を, 漢字, 漢
      {"漢字辞書", {"漢字", "漢"}},     // the words later in the text are not looked up
      {"かなしい", {"かな"}},           // a kana word only where its headword is that kana
      {"カナダ", {"カナ"}},
      {"ｶﾅﾀﾞ", {"カナ"}},               // half-width text is taken as katakana
      {"蚊が", {"蚊"}},                 // the written form; か's reading hit is 蚊, not か
      {"字", {"字"}},
      {"を", {}},
      {"abc", {}},
  };
  for (const Case& c : cases) {
    int n = Lookup(c.text);
    EXPECT_EQ(n, static_cast<int>(c.headwords.size())) << c.text;
    if (n > 0) {
      EXPECT_THAT(Headwords(hits_, n), ElementsAreArray(c.headwords)) << c.text;
    }
  }
}

TEST_F(TextLookupTest, WordFoundByWrittenFormAndByReadingIsListedOnce) {
  ASSERT_EQ(Lookup("ひらがなで"), 1);
  EXPECT_STREQ(hits_[0].headword, "ひらがな");
  EXPECT_EQ(hits_[0].rank, 0);  // the hit of the written form stays
}

TEST_F(TextLookupTest, FullArrayStopsTheLookup) {
  EXPECT_EQ(Lookup("漢字を", 1), 2);
  EXPECT_STREQ(hits_[0].headword, "漢字");
  EXPECT_EQ(Lookup("漢字を", 2), 3);
}

TEST_F(TextLookupTest, EmptyTextFindsNothing) { EXPECT_EQ(Lookup(""), 0); }

TEST_F(TextLookupTest, LongTextIsCutToTheWorkingLimit) {
  std::string text = "漢字";
  for (int i = 0; i < 200; ++i) text += "を";
  int n = Lookup(text);
  EXPECT_THAT(Headwords(hits_, n), ElementsAreArray({"漢字", "漢"}));
}

}  // namespace
}  // namespace lexiv
