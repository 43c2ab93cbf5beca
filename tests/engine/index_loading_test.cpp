// How the engine reads its indexes: each first-level table at its index's first use, and, when
// asked to hold the indexes in memory, each second-level file whole at its first search. Neither
// may change a result: every search kind over a dictionary of a few hundred words must give the
// same hits either way, the first time a range is met and again when it is met later.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/dictionary_engine.h"
#include "engine/read_only_file.h"
#include "search_fixture.h"

namespace lexiv {
namespace {

using testing::TempDir;
using testing::Word;

const std::vector<std::string> kKana = {"か", "き", "こ", "さ", "し", "た", "な", "は", "ま", "や", "ら", "ん"};
const std::vector<std::string> kKanji = {"漢", "字", "辞", "書", "山", "川", "人", "大", "国", "語"};

// Readings of two and three kana, a written form of two kanji for most, a katakana word now and then.
std::vector<SourceEntry> ManyWords() {
  std::vector<SourceEntry> words;
  int n = 0;
  for (const std::string& a : kKana) {
    for (const std::string& b : kKana) {
      std::string reading = a + b;
      std::string written = kKanji[n % kKanji.size()] + kKanji[(n / kKanji.size()) % kKanji.size()];
      words.push_back(Word(reading, n % 5 == 0 ? "" : written));
      if (n % 3 == 0) words.push_back(Word(reading + kKana[n % kKana.size()], written + "語"));
      ++n;
    }
  }
  words.push_back(Word("カナ"));
  return words;
}

// Every hit of every search, as text, in order.
std::string AllResults(DictionaryEngine& engine) {
  std::vector<std::string> keys;
  for (const std::string& a : kKana) {
    keys.push_back(a);
    keys.push_back(a + "*");
    keys.push_back("*" + a);
    keys.push_back(a + "＊");
    for (const std::string& b : kKana) keys.push_back(a + b);
  }
  for (const std::string& k : kKanji) {
    keys.push_back(k + "*");
    keys.push_back("*" + k);
    for (const std::string& l : kKanji) keys.push_back(k + l);
  }
  keys.push_back("*");
  keys.push_back("かな");
  std::string all;
  static SearchHit hits[400];
  for (const std::string& key : keys) {
    for (int mode : {kSearchKey, kSearchText}) {
      int r = engine.SearchHeadwords(key.c_str(), mode, 1, hits, 400);
      all += key + " " + std::to_string(mode) + " -> " + std::to_string(r) + ":";
      for (int i = 0; i < r && i < 400; ++i)
        all += " " + std::to_string(hits[i].entryPos) + "/" + hits[i].headword + "/" + hits[i].reading + "/" +
               std::to_string(hits[i].kind) + "/" + std::to_string(hits[i].rank);
      all += "\n";
    }
  }
  return all;
}

class IndexLoadingTest : public ::testing::Test {
 protected:
  // Small blocks: many table entries, so many distinct ranges.
  void SetUp() override { testing::WriteWords(ManyWords(), dir_, 48); }

  TempDir dir_;
};

TEST_F(IndexLoadingTest, EachTableIsReadAtItsIndexsFirstUse) {
  DictionaryEngine engine;
  ASSERT_EQ(engine.OpenDictionary(dir_.dir()), 0);
  for (int i = 0; i < kIndexCount; ++i) EXPECT_FALSE(engine.IndexTableRead(i)) << i;

  SearchHit hits[8];
  struct Step {
    const char* key;
    int mode;
    int index;  // the one table the search reads
  };
  const Step steps[] = {{"かな", kSearchKey, kIndexAnkf},
                        {"*かな", kSearchKey, kIndexAnkr},
                        {"漢字", kSearchKey, kIndexKnjf},
                        {"*漢字", kSearchKey, kIndexKnjr}};
  bool read[kIndexCount] = {};
  for (const Step& s : steps) {
    EXPECT_GE(engine.SearchHeadwords(s.key, s.mode, 1, hits, 8), 0) << s.key;
    read[s.index] = true;
    for (int i = 0; i < kIndexCount; ++i) EXPECT_EQ(engine.IndexTableRead(i), read[i]) << s.key << " " << i;
  }

  DictionaryEngine lookup;
  ASSERT_EQ(lookup.OpenDictionary(dir_.dir()), 0);
  EXPECT_GE(lookup.SearchHeadwords("漢字を", kSearchText, 0, hits, 8), 0);
  EXPECT_TRUE(lookup.IndexTableRead(kIndexKnjf));
  EXPECT_FALSE(lookup.IndexTableRead(kIndexAnkr));
  EXPECT_FALSE(lookup.IndexTableRead(kIndexKnjr));
  // Asking for a descriptor reads its table.
  EXPECT_FALSE(lookup.Descriptor(kIndexKnjr).table.empty());
  EXPECT_TRUE(lookup.IndexTableRead(kIndexKnjr));
}

TEST_F(IndexLoadingTest, ReadOnDemandHeldInMemoryAndReadUpFrontGiveTheSameResults) {
  DictionaryEngine upFront;
  ASSERT_EQ(upFront.OpenDictionary(dir_.dir()), 0);
  for (int i = 0; i < kIndexCount; ++i) ASSERT_FALSE(upFront.Descriptor(i).table.empty());
  std::string expected = AllResults(upFront);
  ASSERT_GT(expected.size(), 10000u);  // the searches found plenty

  DictionaryEngine onDemand;
  ASSERT_EQ(onDemand.OpenDictionary(dir_.dir()), 0);
  EXPECT_EQ(AllResults(onDemand), expected);

  DictionaryEngine held;
  held.HoldIndexesInMemory(0);
  ASSERT_EQ(held.OpenDictionary(dir_.dir()), 0);
  EXPECT_EQ(AllResults(held), expected);
  EXPECT_EQ(AllResults(held), expected);  // every range met again, from its kept offsets

  // Closed and opened on another dictionary, the held engine keeps nothing of the first.
  TempDir other;
  testing::WriteWords({Word("かな", "仮名"), Word("かなた", "彼方")}, other);
  held.CloseDictionary();
  ASSERT_EQ(held.OpenDictionary(other.dir()), 0);
  DictionaryEngine fresh;
  ASSERT_EQ(fresh.OpenDictionary(other.dir()), 0);
  EXPECT_EQ(AllResults(held), AllResults(fresh));
}

TEST_F(IndexLoadingTest, AnIndexIsHeldInMemoryOnlyAfterItsFirstSearches) {
  DictionaryEngine engine;
  engine.HoldIndexesInMemory(3);
  ASSERT_EQ(engine.OpenDictionary(dir_.dir()), 0);
  SearchHit hits[8];
  for (int search = 1; search <= 4; ++search) {
    ASSERT_GE(engine.SearchHeadwords("かな", kSearchKey, 1, hits, 8), 1);
    EXPECT_EQ(engine.IndexHeldInMemory(kIndexAnkf), search > 3) << search;
  }
  for (int i : {kIndexAnkr, kIndexKnjf, kIndexKnjr}) EXPECT_FALSE(engine.IndexHeldInMemory(i)) << i;
  engine.CloseDictionary();
  EXPECT_FALSE(engine.IndexHeldInMemory(kIndexAnkf));
  // Counted afresh after a new open.
  ASSERT_EQ(engine.OpenDictionary(dir_.dir()), 0);
  ASSERT_GE(engine.SearchHeadwords("かな", kSearchKey, 1, hits, 8), 1);
  EXPECT_FALSE(engine.IndexHeldInMemory(kIndexAnkf));
}

TEST(ReadOnlyFileHeld, ReadsTheSameBytesFromMemory) {
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>(i * 7);
  testing::WriteBytes(dir.path() / "f", bytes);
  ReadOnlyFile file;
  ASSERT_TRUE(file.Open((dir.path() / "f").string()));
  EXPECT_EQ(file.Bytes(), nullptr);
  ASSERT_TRUE(file.HoldInMemory());
  ASSERT_NE(file.Bytes(), nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.Bytes()), 5000), bytes);
  char buffer[16];
  EXPECT_EQ(file.ReadAt(4990, buffer, sizeof buffer), 10);  // short at the end, as from the file
  EXPECT_EQ(std::string(buffer, 10), bytes.substr(4990));
  EXPECT_EQ(file.ReadAt(5000, buffer, sizeof buffer), 0);
  EXPECT_EQ(file.ReadAt(5001, buffer, sizeof buffer), -1);
  EXPECT_EQ(file.ReadAt(-1, buffer, sizeof buffer), -1);
  file.Close();
  EXPECT_EQ(file.Bytes(), nullptr);
}

}  // namespace
}  // namespace lexiv
