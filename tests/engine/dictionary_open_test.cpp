#include <gtest/gtest.h>

#include <filesystem>

#include "engine/dictionary_engine.h"
#include "search_fixture.h"

namespace lexiv {
namespace {

using testing::TempDir;
using testing::Word;

class DictionaryOpenTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::WriteWords({Word("あい", "愛"), Word("かな")}, dir_); }

  void ExpectNotLoaded() {
    for (int i = 0; i < kIndexCount; ++i) {
      const IndexDescriptor& d = engine_.Descriptor(i);
      EXPECT_EQ(d.entryCount, -1);
      EXPECT_EQ(d.keyLength, -1);
      EXPECT_TRUE(d.table.empty());
      EXPECT_STREQ(d.secondLevelName, "");
    }
    SearchHit hits[4];
    EXPECT_EQ(engine_.SearchHeadwords("あい", kSearchKey, 1, hits, 4), -1);
  }

  TempDir dir_;
  DictionaryEngine engine_;
  SearchHit hits_[4];
};

TEST_F(DictionaryOpenTest, OpensWithAndWithoutTrailingSeparator) {
  for (const std::string& directory : {dir_.dir(), dir_.path().string()}) {
    DictionaryEngine engine;
    ASSERT_EQ(engine.OpenDictionary(directory), 0) << directory;
    const char* names[] = {"ANKF.ID2", "ANKR.ID2", "KNJF.ID2", "KNJR.ID2"};
    for (int i = 0; i < kIndexCount; ++i) {
      EXPECT_GT(engine.Descriptor(i).entryCount, 0);
      EXPECT_EQ(engine.Descriptor(i).keyLength, 4);
      EXPECT_STREQ(engine.Descriptor(i).secondLevelName, names[i]);
    }
    EXPECT_EQ(engine.SearchHeadwords("あい", kSearchKey, 1, hits_, 4), 1);
  }
}

TEST_F(DictionaryOpenTest, SecondOpenChangesNothingAndCloseUnloads) {
  ASSERT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
  EXPECT_EQ(engine_.OpenDictionary("/nonexistent/"), 1);
  EXPECT_EQ(engine_.SearchHeadwords("あい", kSearchKey, 1, hits_, 4), 1);
  engine_.CloseDictionary();
  ExpectNotLoaded();
  engine_.CloseDictionary();
  ExpectNotLoaded();
  EXPECT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
}

TEST_F(DictionaryOpenTest, MissingFileFailsAndLeavesNothingOpen) {
  for (const char* name : {"ANKF.ID1", "ANKR.ID1", "KNJF.ID1", "KNJR.ID1", "ANKF.ID2", "ANKR.ID2", "KNJF.ID2",
                           "KNJR.ID2", "YOMIGO.DIC"}) {
    std::filesystem::path path = dir_.path() / name;
    std::string bytes = testing::ReadBytes(path);
    std::filesystem::remove(path);
    EXPECT_EQ(engine_.OpenDictionary(dir_.dir()), -1) << name;
    ExpectNotLoaded();
    testing::WriteBytes(path, bytes);
  }
  EXPECT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
}

TEST_F(DictionaryOpenTest, PathsMustFitIn255Bytes) {
  // The longest file name is YOMIGO.DIC (10 bytes); repeated separators lengthen the directory.
  std::string base = dir_.path().string();
  auto padded = [&](std::size_t length) { return base + std::string(length - base.size(), '/'); };
  EXPECT_EQ(engine_.OpenDictionary(padded(245)), 0);
  engine_.CloseDictionary();
  EXPECT_EQ(engine_.OpenDictionary(padded(246)), -1);
}

TEST_F(DictionaryOpenTest, TableLoadIsCappedAt16000BytesAndKeysBeyondAreStillFound) {
  // 2100 reading keys of two letters, one table entry each: only the first 2000 entries are read,
  // and the last of them leads the search on to the end of the file.
  testing::HandIndex index;
  std::vector<std::string> keys;
  for (unsigned first = 0xB1; first <= 0xDD && keys.size() < 2100; ++first)
    for (unsigned second = 0xA6; second <= 0xDD && keys.size() < 2100; ++second)
      keys.push_back({static_cast<char>(first), static_cast<char>(second)});
  for (std::size_t i = 0; i < keys.size(); ++i)
    index.records.push_back(testing::IndexRecordBytes(keys[i], "", 0, static_cast<std::int32_t>(i)));
  index.Layout("ANKF.ID2");
  testing::WriteBytes(dir_.path() / "ANKF.ID1", index.firstLevel);
  testing::WriteBytes(dir_.path() / "ANKF.ID2", index.secondLevel);

  ASSERT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
  EXPECT_EQ(engine_.Descriptor(kIndexAnkf).entryCount, 2100);
  EXPECT_EQ(engine_.Descriptor(kIndexAnkf).table.size(), 16000u);
  for (std::size_t i : {std::size_t{0}, std::size_t{1999}, std::size_t{2000}, std::size_t{2099}}) {
    ASSERT_EQ(engine_.SearchHeadwords(keys[i].c_str(), kSearchKey, 0, hits_, 4), 1) << i;
    EXPECT_EQ(hits_[0].entryPos, static_cast<std::int32_t>(i));
  }
}

}  // namespace
}  // namespace lexiv
