#include "engine/reading_collation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lexiv {
namespace {

// Each pair in dictionary order: the first reading sorts strictly before the second.
struct OrderedPair {
  const char* before;
  const char* after;
  const char* why;
};

const OrderedPair kOrderedPairs[] = {
    {"か", "が", "unvoiced before voiced"},
    {"は", "ば", "unvoiced before voiced"},
    {"ば", "ぱ", "voiced before semi-voiced"},
    {"かつ", "かっ", "large before small"},
    {"きや", "きゃ", "large before small"},
    {"かっ", "かづ", "voicing decides before size"},
    {"ヵ", "が", "ヵ is a small か: voicing decides first"},
    {"う", "ヴ", "ヴ is a voiced う"},
    {"ヴ", "え", "ヴ sorts among the う"},
    {"あ", "ア", "hiragana before katakana"},
    {"かあ", "かー", "a vowel letter before the long-vowel mark"},
    {"カア", "かー", "the long-vowel mark decides before the script"},
    {"かー", "カー", "hiragana before katakana"},
    {"かーど", "かい", "ー reads as the vowel of the kana before it"},
    {"きゃー", "きゃい", "ー after a small kana reads as its vowel"},
    {"ん", "ー", "a ー with no vowel before it sorts after every letter"},
    {"がい", "かう", "letters decide before voicing"},
    {"か", "かあ", "a reading sorts before its longer words"},
    {"あ", "ん", "gojuon order"},
    {"わ", "を", "gojuon order"},
    {"ん", "漢", "other characters after every kana"},
};

TEST(ReadingCollation, OrdersPairsOfReadings) {
  for (const OrderedPair& pair : kOrderedPairs) {
    EXPECT_LT(CompareReadings(pair.before, pair.after), 0) << pair.why;
    EXPECT_GT(CompareReadings(pair.after, pair.before), 0) << pair.why;
  }
}

TEST(ReadingCollation, SortsAListIntoDictionaryOrder) {
  std::vector<std::string> readings = {"ぱん", "ハン", "はん", "ばん", "はあ", "はー", "ぱ", "ハー"};
  std::sort(readings.begin(), readings.end(),
            [](const std::string& a, const std::string& b) { return CompareReadings(a, b) < 0; });
  EXPECT_EQ(readings, (std::vector<std::string>{"ぱ", "はあ", "はー", "ハー", "はん", "ハン", "ばん", "ぱん"}));
}

TEST(ReadingCollation, EqualReadingsCompareEqual) {
  EXPECT_EQ(CompareReadings("かーど", "かーど"), 0);
  EXPECT_EQ(CompareReadings("", ""), 0);
  EXPECT_LT(CompareReadings("", "あ"), 0);
}

}  // namespace
}  // namespace lexiv
