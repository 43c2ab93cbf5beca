// Damaged index files: each is refused with -1 (or gives a clean 0 or a partial result where the
// result codes allow), and none makes the engine read past the bytes it read. Run under the
// sanitizer build, these rows also show that no byte outside a buffer is touched.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "engine/dictionary_engine.h"
#include "search_fixture.h"

namespace lexiv {
namespace {

using testing::HandIndex;
using testing::PutInt16At;
using testing::PutInt32At;
using testing::TempDir;
using testing::Word;

// The reading index made by hand: keys ｱ ｶ ｶｲ ｶｷ ｻ, one table entry per record.
constexpr int kRecordKaI = 2;
constexpr int kRecordKaKi = 3;

HandIndex ReadingIndex() {
  HandIndex index;
  for (const char* key : {"ｱ", "ｶ", "ｶｲ"}) index.records.push_back(testing::IndexRecordBytes(key, "", 0, 0));
  index.records.push_back(testing::IndexRecordBytes("ｶｷ", "", 1, 0));
  index.records.push_back(testing::IndexRecordBytes("ｻ", "", 0, 0));
  return index;
}

struct CorruptCase {
  const char* damage;
  std::function<void(HandIndex&)> records;                    // before layout, may be empty
  std::function<void(HandIndex&)> files;                      // after layout, may be empty
  int openResult;
  const char* key;
  int mode;
  int searchResult;
};

void SetRecordLength(HandIndex& index, int record, std::int16_t length) {
  PutInt16At(index.secondLevel, index.offsets[record], length);
}

const CorruptCase kCases[] = {
    {"intact", {}, {}, 0, "ｶ*", kSearchKey, 3},
    {"intact, text lookup", {}, {}, 0, "ｶｷ", kSearchText, 1},
    {"header shorter than 256 bytes", {}, [](HandIndex& x) { x.firstLevel.resize(255); }, -1, "", 0, 0},
    {"negative entry count", {}, [](HandIndex& x) { PutInt16At(x.firstLevel, 0, -1); }, -1, "", 0, 0},
    {"negative key length", {}, [](HandIndex& x) { PutInt16At(x.firstLevel, 6, -1); }, -1, "", 0, 0},
    {"no entries", {}, [](HandIndex& x) { PutInt16At(x.firstLevel, 0, 0); }, 0, "ｶ*", kSearchKey, -1},
    {"no entries, text lookup", {}, [](HandIndex& x) { PutInt16At(x.firstLevel, 0, 0); }, 0, "ｶｷ", kSearchText,
     -1},
    {"count beyond the table in the file", {}, [](HandIndex& x) { PutInt16At(x.firstLevel, 0, 7); }, -1, "", 0,
     0},
    // 5 x (0 + 4) bytes: two whole entries; the second leads on to the trailer.
    {"key length 0", {}, [](HandIndex& x) { PutInt16At(x.firstLevel, 6, 0); }, 0, "ｶ*", kSearchKey, 3},
    // 5 x (1 + 4) bytes: three whole entries and a piece of one.
    {"key length 1", {}, [](HandIndex& x) { PutInt16At(x.firstLevel, 6, 1); }, 0, "ｻ", kSearchKey, 1},
    {"empty second-level name", {},
     [](HandIndex& x) { std::memset(x.firstLevel.data() + 8, 0, 8); }, -1, "", 0, 0},
    {"second-level name with a separator", {},
     [](HandIndex& x) { std::memcpy(x.firstLevel.data() + 8, "x/ANKF.I", 8); }, -1, "", 0, 0},
    {"negative table offset", {}, [](HandIndex& x) { PutInt32At(x.firstLevel, x.TableEntryPos(0) + 4, -8); }, 0,
     "ｱ", kSearchKey, -1},
    {"table offset past the file", {},
     [](HandIndex& x) { PutInt32At(x.firstLevel, x.TableEntryPos(4) + 4, 100000); }, 0, "ｶ*", kSearchKey, -1},
    {"table offsets out of order", {},
     [](HandIndex& x) {
       PutInt32At(x.firstLevel, x.TableEntryPos(0) + 4, x.offsets[4]);
       PutInt32At(x.firstLevel, x.TableEntryPos(4) + 4, x.offsets[0]);
     },
     0, "ｶ*", kSearchKey, -1},
    {"second-level file shorter than its trailer", {}, [](HandIndex& x) { x.secondLevel.resize(10); }, 0, "ｶ*",
     kSearchKey, -1},
    {"no trailer mark", {}, [](HandIndex& x) { PutInt16At(x.secondLevel, x.secondLevel.size() - 14, 0); }, 0, "ｻ",
     kSearchKey, -1},
    {"record length below its header", {}, [](HandIndex& x) { SetRecordLength(x, kRecordKaI, 3); }, 0, "ｶ*",
     kSearchKey, -1},
    {"record length above 1024", {}, [](HandIndex& x) { SetRecordLength(x, kRecordKaI, 2000); }, 0, "ｶ*",
     kSearchKey, -1},
    {"record running past the range", {},
     [](HandIndex& x) { SetRecordLength(x, kRecordKaKi, static_cast<std::int16_t>(x.records[kRecordKaKi].size() + 8)); },
     0, "ｶ*", kSearchKey, -1},
    {"record running past the range, text lookup", {},
     [](HandIndex& x) { SetRecordLength(x, kRecordKaKi, static_cast<std::int16_t>(x.records[kRecordKaKi].size() + 8)); },
     0, "ｶｷ", kSearchText, -1},
    {"key without terminating zero",
     [](HandIndex& x) {
       std::string& r = x.records[kRecordKaI];
       std::memset(r.data() + 4, 0xB2, r.size() - 4);
     },
     {}, 0, "ｶ*", kSearchKey, -1},
    {"key without terminating zero, text lookup",
     [](HandIndex& x) {
       std::string& r = x.records[kRecordKaI];
       std::memset(r.data() + 4, 0xB2, r.size() - 4);
     },
     {}, 0, "ｶｷ", kSearchText, -1},
    {"headword without terminating zero",
     [](HandIndex& x) {
       std::string& r = x.records[kRecordKaI];
       std::memset(r.data() + 7, 'a', r.size() - 7);
     },
     {}, 0, "ｶ*", kSearchKey, -1},
    {"record too short for its fixed bytes",
     [](HandIndex& x) {
       std::string& r = x.records[kRecordKaI];
       r.resize(r.size() - 2);
       PutInt16At(r, 0, static_cast<std::int16_t>(r.size()));
     },
     {}, 0, "ｶ*", kSearchKey, -1},
    // The records after a negative length are not read; the hits before it are kept.
    {"negative record length inside the range", {}, [](HandIndex& x) { SetRecordLength(x, kRecordKaKi, -1); }, 0,
     "ｶ*", kSearchKey, 2},
    {"negative length of the first record", {}, [](HandIndex& x) { SetRecordLength(x, 0, -1); }, 0, "ｱ",
     kSearchKey, 0},
};

TEST(CorruptIndex, DamagedReadingIndexIsRefusedOrReadWithinItsBytes) {
  // Read from the file range by range, and held in memory whole (searched in place).
  for (bool held : {false, true})
  for (const CorruptCase& c : kCases) {
    SCOPED_TRACE(c.damage);
    SCOPED_TRACE(held ? "held in memory" : "read from the file");
    TempDir dir;
    testing::WriteWords({Word("あい", "愛")}, dir);
    HandIndex index = ReadingIndex();
    if (c.records) c.records(index);
    index.Layout("ANKF.ID2");
    if (c.files) c.files(index);
    testing::WriteBytes(dir.path() / "ANKF.ID1", index.firstLevel);
    testing::WriteBytes(dir.path() / "ANKF.ID2", index.secondLevel);

    DictionaryEngine engine;
    if (held) engine.HoldIndexesInMemory(0);
    ASSERT_EQ(engine.OpenDictionary(dir.dir()), c.openResult);
    if (c.openResult != 0) continue;
    SearchHit hits[8];
    EXPECT_EQ(engine.SearchHeadwords(c.key, c.mode, 1, hits, 8), c.searchResult);
    // A second time: a held range is searched from its kept record offsets.
    EXPECT_EQ(engine.SearchHeadwords(c.key, c.mode, 1, hits, 8), c.searchResult);
    // The written indexes are untouched by the damage.
    EXPECT_EQ(engine.SearchHeadwords("愛", kSearchKey, 1, hits, 8), 1);
  }
}

TEST(CorruptIndex, OverlongFieldsAreCutOnACharacterBoundary) {
  TempDir dir;
  testing::WriteWords({Word("あい", "愛")}, dir);
  std::string longHeadword = "a";
  for (int i = 0; i < 30; ++i) longHeadword += "漢";
  HandIndex index;
  index.records.push_back(testing::IndexRecordBytes("ｶ", longHeadword, 0, 0));
  index.records.push_back(testing::IndexRecordBytes("ｶｷ" + std::string(28, '\xB8'), "", 1, 0));  // ｶｷｸｸ...
  index.Layout("ANKF.ID2");
  testing::WriteBytes(dir.path() / "ANKF.ID1", index.firstLevel);
  testing::WriteBytes(dir.path() / "ANKF.ID2", index.secondLevel);

  DictionaryEngine engine;
  ASSERT_EQ(engine.OpenDictionary(dir.dir()), 0);
  SearchHit hits[4];
  ASSERT_EQ(engine.SearchHeadwords("ｶ*", kSearchKey, 1, hits, 4), 2);
  EXPECT_EQ(std::string(hits[0].headword), longHeadword.substr(0, 39));  // 'a' and 19 whole kanji
  EXPECT_EQ(std::strlen(hits[1].reading), 42u);                          // 21 hiragana
  std::string cutHeadword = "カキ";
  for (int i = 0; i < 18; ++i) cutHeadword += "ク";
  EXPECT_EQ(std::string(hits[1].headword), cutHeadword);  // 20 katakana
}

}  // namespace
}  // namespace lexiv
