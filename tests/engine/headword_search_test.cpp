#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/dictionary_engine.h"
#include "search_fixture.h"

namespace lexiv {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::UnorderedElementsAre;
using testing::Headwords;
using testing::Readings;
using testing::TempDir;
using testing::Word;

class HeadwordSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteWords({Word("あい", "愛"), Word("あいさつ", "挨拶"), Word("ぐあい", "具合"), Word("しあい", "試合"),
                         Word("か", "蚊"), Word("かい", "貝"), Word("かがく", "科学"), Word("が", "蛾"),
                         Word("がか", "画家"), Word("とりかえ", "取替え", "取り替え"), Word("とる", "取る"),
                         Word("ひっこし", "引っ越し", "引越し", "引越"),
                         Word("かんじ", "漢字"), Word("かん", "漢"), Word("かな"), Word("カナ")},
                        dir_);
    ASSERT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
  }

  int Search(const char* key, int wildcards, int maxHits = 300) {
    return engine_.SearchHeadwords(key, kSearchKey, wildcards, hits_, maxHits);
  }

  TempDir dir_;
  DictionaryEngine engine_;
  SearchHit hits_[300];
};

struct KeyCase {
  const char* key;
  int wildcards;
  std::vector<std::string> headwords;
};

TEST_F(HeadwordSearchTest, KeySearchFindsExactPrefixAndSuffixMatches) {
  const KeyCase cases[] = {
      {"あい", 1, {"愛"}},
      {"アイ", 1, {"愛"}},
      {"ｱｲ", 1, {"愛"}},
      {"あい*", 1, {"愛", "挨拶"}},
      {"あい＊", 1, {"愛", "挨拶"}},
      {"あい*", 0, {}},  // literal: the reading ｱｲ*, which no word has
      {"*あい", 1, {"愛", "具合", "試合"}},
      {"＊あい", 1, {"愛", "具合", "試合"}},
      {"＊合", 1, {"具合", "試合"}},
      {"漢*", 1, {"漢", "漢字"}},
      {"漢字", 0, {"漢字"}},
      {"字", 1, {}},
      {"", 0, {}},
      {"", 1, {}},
  };
  for (const KeyCase& c : cases) {
    int n = Search(c.key, c.wildcards);
    EXPECT_EQ(n, static_cast<int>(c.headwords.size())) << c.key;
    if (n > 0) {
      EXPECT_THAT(Headwords(hits_, n), ElementsAreArray(c.headwords)) << c.key;
    }
  }
}

TEST_F(HeadwordSearchTest, PrefixSearchWorksOnWholeCharacters) {
  int n = Search("か*", 1);
  // が (ｶﾞ) begins with the byte of か but is another letter.
  EXPECT_THAT(Readings(hits_, n),
              ElementsAre("か", "かい", "かがく", "かな", "かな", "かん", "かんじ"));
}

TEST_F(HeadwordSearchTest, SuffixHitsAreTurnedBackToForwardOrder) {
  int n = Search("*あい", 1);
  EXPECT_THAT(Readings(hits_, n), ElementsAre("あい", "ぐあい", "しあい"));
  n = Search("＊合", 1);
  EXPECT_THAT(Readings(hits_, n), ElementsAre("ぐあい", "しあい"));
  EXPECT_EQ(hits_[0].rank, 0);
}

TEST_F(HeadwordSearchTest, EmptyHeadwordIsMadeFromTheKeyInItsKanaForm) {
  int n = Search("かな", 1);
  EXPECT_THAT(Headwords(hits_, n), UnorderedElementsAre("かな", "カナ"));
  EXPECT_EQ(hits_[0].rank, -1);
}

TEST_F(HeadwordSearchTest, EntryReachedThroughTwoWrittenFormsIsListedOnceUnderTheLowerRank) {
  // 取り替え (rank 1) comes first and gives way to the later 取替え (rank 0), which ends up last.
  int n = Search("取*", 1);
  EXPECT_THAT(Headwords(hits_, n), ElementsAre("取る", "取替え"));
  // 引っ越し (rank 0) comes first; 引越 (rank 2) and 引越し (rank 1) are dropped.
  n = Search("引*", 1);
  EXPECT_THAT(Headwords(hits_, n), ElementsAre("引っ越し"));
  EXPECT_EQ(hits_[0].rank, 0);
}

TEST_F(HeadwordSearchTest, FullArrayReturnsOneMoreThanItsCapacity) {
  struct Case {
    int maxHits;
    int result;
  };
  // か* matches seven words.
  for (Case c : {Case{3, 4}, Case{7, 8}, Case{8, 7}}) {
    EXPECT_EQ(Search("か*", 1, c.maxHits), c.result) << c.maxHits;
  }
  Search("か*", 1, 3);
  EXPECT_THAT(Readings(hits_, 3), ElementsAre("か", "かい", "かがく"));
}

TEST_F(HeadwordSearchTest, LoneWildcardListsTheFirstRecordsOfTheSuffixIndex) {
  EXPECT_EQ(Search("*", 1, 3), 4);
  EXPECT_THAT(Readings(hits_, 3), ElementsAre("あい", "ぐあい", "しあい"));
}

TEST_F(HeadwordSearchTest, OverlongKeyIsCutToTheWorkingLimit) {
  std::string key(300, '\xB6');  // ｶ repeated
  key += "*";
  EXPECT_EQ(Search(key.c_str(), 1), 0);
  std::string wide;
  for (int i = 0; i < 150; ++i) wide += "漢";
  EXPECT_EQ(Search(wide.c_str(), 1), 0);
}

TEST_F(HeadwordSearchTest, RefusesBadArguments) {
  EXPECT_EQ(engine_.SearchHeadwords("あい", 2, 1, hits_, 300), -1);
  EXPECT_EQ(engine_.SearchHeadwords("あい", -1, 1, hits_, 300), -1);
  EXPECT_EQ(engine_.SearchHeadwords("あい", kSearchKey, 1, hits_, 0), -1);
  EXPECT_EQ(engine_.SearchHeadwords(nullptr, kSearchKey, 1, hits_, 300), -1);
  EXPECT_EQ(engine_.SearchHeadwords("あい", kSearchKey, 1, nullptr, 300), -1);
}

// A reading index made by hand: one table entry per record, keys ｱ ｶ ｶｲ ｶｷ ｻ.
class BlockRangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteWords({Word("あい", "愛")}, dir_);
    for (const char* key : {"ｱ", "ｶ", "ｶｲ", "ｶｷ", "ｻ"})
      index_.records.push_back(testing::IndexRecordBytes(key, "", 0, 0));
    index_.Layout("ANKF.ID2");
    testing::WriteBytes(dir_.path() / "ANKF.ID1", index_.firstLevel);
    testing::WriteBytes(dir_.path() / "ANKF.ID2", index_.secondLevel);
    ASSERT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
  }

  TempDir dir_;
  testing::HandIndex index_;
  DictionaryEngine engine_;
};

TEST_F(BlockRangeTest, RangeRunsFromTheEntryBelowTheKeyToTheFirstEntryAboveIt) {
  constexpr int kTrailer = -1;
  struct Case {
    const char* key;
    int startEntry;  // -1: offset 0 because every entry down to the first equals the key
    int endEntry;    // kTrailer: the end of the searchable part
  };
  const Case cases[] = {
      {"ｶ", 0, 4},         // a run of equal entries: from the entry below it
      {"ｱ", 0, 1},         // equal to the first entry
      {"ｻ", 3, kTrailer},  // equal to the last entry
      {"ｲ", 0, 1},         // between entries: from the last entry below
      {"ｦ", 0, 1},         // below every entry
      {"ﾝ", 4, kTrailer},  // above every entry
      {"", -1, kTrailer},  // every entry equals an empty key
  };
  std::int64_t searchableEnd = static_cast<std::int64_t>(index_.secondLevel.size()) - 14;
  for (const Case& c : cases) {
    BlockRange range;
    std::string_view key(c.key);
    ASSERT_EQ(engine_.FindBlockRange(kIndexAnkf, reinterpret_cast<const unsigned char*>(key.data()),
                                     static_cast<int>(key.size()), range),
              0)
        << c.key;
    EXPECT_EQ(range.start, c.startEntry < 0 ? 0 : index_.offsets[c.startEntry]) << c.key;
    EXPECT_EQ(range.end, c.endEntry == kTrailer ? searchableEnd : index_.offsets[c.endEntry]) << c.key;
  }
}

TEST_F(BlockRangeTest, ExactSearchFindsEveryRecordOfTheRange) {
  SearchHit hits[8];
  EXPECT_EQ(engine_.SearchHeadwords("ｶｷ", kSearchKey, 0, hits, 8), 1);
  EXPECT_EQ(engine_.SearchHeadwords("ｶ*", kSearchKey, 1, hits, 8), 3);
  EXPECT_EQ(engine_.SearchHeadwords("ｶｸ", kSearchKey, 0, hits, 8), 0);
}

SearchHit Hit(std::int32_t entryPos, std::int32_t rank) {
  SearchHit hit{};
  hit.entryPos = entryPos;
  hit.rank = rank;
  return hit;
}

TEST(MergeDuplicateHit, KeepsOneHitPerEntryUnderTheLowerRank) {
  struct Case {
    std::vector<SearchHit> before;  // the last one is the newest
    std::vector<std::pair<int, int>> after;  // entry position, rank
  };
  const Case cases[] = {
      {{Hit(10, 0), Hit(20, 0)}, {{10, 0}, {20, 0}}},                       // no duplicate
      {{Hit(10, 0), Hit(20, 0), Hit(10, 1)}, {{10, 0}, {20, 0}}},           // newest ranks lower
      {{Hit(10, 1), Hit(20, 0), Hit(10, 0)}, {{20, 0}, {10, 0}}},           // earlier gives way
      {{Hit(10, 1), Hit(20, 0), Hit(10, 1)}, {{10, 1}, {20, 0}}},           // equal: earlier stays
      {{Hit(10, 2), Hit(10, 1), Hit(20, 0), Hit(10, 0)}, {{10, 1}, {20, 0}, {10, 0}}},  // first match only
  };
  for (const Case& c : cases) {
    std::vector<SearchHit> hits = c.before;
    int count = MergeDuplicateHit(hits.data(), static_cast<int>(hits.size()));
    std::vector<std::pair<int, int>> after;
    for (int i = 0; i < count; ++i) after.emplace_back(hits[i].entryPos, hits[i].rank);
    EXPECT_EQ(after, c.after);
  }
}

}  // namespace
}  // namespace lexiv
