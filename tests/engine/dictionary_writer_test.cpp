#include "engine/dictionary_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/scramble.h"
#include "support/temp_dir.h"

namespace lexiv {
namespace {

using lexiv::testing::TempDir;

std::string FileBytes(const TempDir& dir, const std::string& name) {
  std::ifstream in(dir.path() / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Int16At(const std::string& bytes, std::size_t bytePos) {
  return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[bytePos]) |
                                   static_cast<unsigned char>(bytes[bytePos + 1]) << 8);
}

std::int32_t Int32At(const std::string& bytes, std::size_t bytePos) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[bytePos + i]);
  return static_cast<std::int32_t>(value);
}

std::string Descrambled(std::string_view stored) {
  std::string text;
  for (char c : stored) text.push_back(static_cast<char>(DescrambleByte(static_cast<unsigned char>(c))));
  return text;
}

// One entry record of YOMIGO.DIC, its text fields descrambled.
struct StoredEntry {
  std::int32_t entryPos = 0;
  std::string fields[5];  // written 1..3, historical, reading
  char accent1 = 0, accent2 = 0;
  int mark = 0;
  std::string unused;
  std::string meaning;
};

// Walks YOMIGO.DIC by its length words, checking each previous-length word and the end header.
std::vector<StoredEntry> ReadDictionaryFile(const std::string& bytes) {
  std::vector<StoredEntry> entries;
  std::size_t pos = 0;
  int previousLength = -1;  // 0xFFFF as int16
  while (true) {
    EXPECT_LE(pos + 4, bytes.size());
    if (pos + 4 > bytes.size()) break;
    EXPECT_EQ(Int16At(bytes, pos + 2), previousLength) << "at " << pos;
    int length = Int16At(bytes, pos);
    if (length == -1) {
      EXPECT_EQ(pos + 4, bytes.size()) << "the end header is the last thing in the file";
      break;
    }
    StoredEntry entry;
    entry.entryPos = static_cast<std::int32_t>(pos);
    std::string_view body(bytes.data() + pos + 4, static_cast<std::size_t>(length) - 4);
    std::size_t fieldStart = 0;
    for (std::string& field : entry.fields) {
      std::size_t end = body.find('\0', fieldStart);
      field = Descrambled(body.substr(fieldStart, end - fieldStart));
      fieldStart = end + 1;
    }
    entry.accent1 = static_cast<char>(DescrambleByte(static_cast<unsigned char>(body[fieldStart])));
    entry.accent2 = static_cast<char>(DescrambleByte(static_cast<unsigned char>(body[fieldStart + 1])));
    entry.mark = static_cast<std::int8_t>(DescrambleByte(static_cast<unsigned char>(body[fieldStart + 2])));
    entry.unused = std::string(body.substr(fieldStart + 3, 2));
    std::string_view meaning = body.substr(fieldStart + 5);
    EXPECT_EQ(meaning.find('\0'), meaning.size() - 1) << "the meaning ends the body with its zero";
    entry.meaning = Descrambled(meaning.substr(0, meaning.size() - 1));
    entries.push_back(entry);
    previousLength = length;
    pos += static_cast<std::size_t>(length);
  }
  return entries;
}

// One record of a second-level index file.
struct IndexRecord {
  std::int32_t offset = 0;
  std::string key;
  std::string text;  // headword (reading-key index) or reading key (written-key index)
  int kind = 0;
  int detail = 0;    // kana form or rank
  std::int32_t entryPos = 0;
};

struct TableEntry {
  std::string key;
  std::int32_t offset = 0;
};

struct Index {
  std::string firstLevel;
  std::string secondLevel;
  std::vector<TableEntry> table;
  std::vector<IndexRecord> records;
};

// Reads one first-level file and the second-level file it names, checking the header, the record
// lengths and the trailer on the way.
Index ReadIndex(const TempDir& dir, const std::string& firstLevelName) {
  Index index;
  index.firstLevel = FileBytes(dir, firstLevelName);
  EXPECT_GE(index.firstLevel.size(), 256u);
  if (index.firstLevel.size() < 256) return index;
  int count = Int16At(index.firstLevel, 0);
  EXPECT_EQ(Int16At(index.firstLevel, 6), 4);
  EXPECT_EQ(index.firstLevel.size(), 256u + 8u * static_cast<unsigned>(count));
  for (std::size_t pos : {2, 3, 4, 5}) EXPECT_EQ(index.firstLevel[pos], '\0');
  for (std::size_t pos = 16; pos < 256; ++pos) EXPECT_EQ(index.firstLevel[pos], '\0') << pos;
  for (int i = 0; i < count; ++i)
    index.table.push_back({index.firstLevel.substr(256 + 8 * i, 4), Int32At(index.firstLevel, 256 + 8 * i + 4)});

  std::string name = index.firstLevel.substr(8, 8);
  name = name.substr(0, name.find('\0'));
  index.secondLevel = FileBytes(dir, name);
  const std::string& second = index.secondLevel;
  EXPECT_GE(second.size(), 14u);
  if (second.size() < 14) return index;
  std::size_t end = second.size() - 14;
  EXPECT_EQ(Int16At(second, end), -1) << "trailer";
  for (std::size_t pos = 0; pos < end;) {
    int length = Int16At(second, pos);
    if (length < 0) break;
    EXPECT_LE(length, 1024);
    EXPECT_EQ(Int16At(second, pos + 2), 0);
    IndexRecord record;
    record.offset = static_cast<std::int32_t>(pos);
    std::size_t keyEnd = second.find('\0', pos + 4);
    record.key = second.substr(pos + 4, keyEnd - pos - 4);
    std::size_t textEnd = second.find('\0', keyEnd + 1);
    record.text = second.substr(keyEnd + 1, textEnd - keyEnd - 1);
    record.kind = static_cast<std::int8_t>(second[textEnd + 1]);
    record.detail = static_cast<std::int8_t>(second[textEnd + 2]);
    EXPECT_EQ(Int16At(second, textEnd + 3), 0);
    record.entryPos = Int32At(second, textEnd + 5);
    EXPECT_EQ(textEnd + 9, pos + static_cast<std::size_t>(length)) << "record length";
    index.records.push_back(record);
    pos += static_cast<std::size_t>(length);
  }
  return index;
}

std::string BlockKeyOf(const std::string& key) {
  std::string blockKey = key.substr(0, 4);
  blockKey.resize(4, '\0');
  return blockKey;
}

// The rules that the binary search of the first-level table relies on.
void ExpectSoundBlockTable(const Index& index) {
  ASSERT_FALSE(index.table.empty());
  ASSERT_LE(index.table.size(), static_cast<std::size_t>(kMaxIndexEntries));
  EXPECT_EQ(index.table[0].offset, 0);
  std::size_t record = 0;
  for (std::size_t i = 0; i < index.table.size(); ++i) {
    const TableEntry& entry = index.table[i];
    if (i > 0) {
      EXPECT_LE(index.table[i - 1].key, entry.key) << "keys ascend, entry " << i;
      EXPECT_LT(index.table[i - 1].offset, entry.offset) << "entry " << i;
    }
    while (record < index.records.size() && index.records[record].offset < entry.offset) ++record;
    ASSERT_LT(record, index.records.size()) << "entry " << i << " points past the records";
    ASSERT_EQ(index.records[record].offset, entry.offset) << "entry " << i << " points into a record";
    EXPECT_EQ(entry.key, BlockKeyOf(index.records[record].key)) << "entry " << i;
    if (record > 0) {
      EXPECT_NE(BlockKeyOf(index.records[record - 1].key), entry.key)
          << "entry " << i << " starts a block inside a run of equal block keys";
    }
  }
}

void ExpectRecordsAscend(const Index& index) {
  for (std::size_t i = 1; i < index.records.size(); ++i)
    EXPECT_LE(index.records[i - 1].key, index.records[i].key) << "record " << i;  // unsigned byte order
}

SourceEntry Entry(std::string reading, std::vector<std::string> written, std::string meaning = "意味") {
  SourceEntry entry;
  entry.reading = std::move(reading);
  for (std::size_t i = 0; i < written.size(); ++i) entry.written[i] = std::move(written[i]);
  entry.meaning = std::move(meaning);
  return entry;
}

class DictionaryWriterTest : public ::testing::Test {
 protected:
  void Write(const std::vector<SourceEntry>& entries, DictionaryWriteOptions options = {}) {
    std::string error;
    ASSERT_EQ(WriteDictionary(entries, dir_.dir(), error, options), 0) << error;
  }
  TempDir dir_;
};

TEST_F(DictionaryWriterTest, DictionaryFileHoldsScrambledRecordsInDictionaryOrder) {
  SourceEntry oyster = Entry("かき", {"牡蠣"}, "abc");
  oyster.accent1 = '1';
  oyster.accent2 = '0';
  oyster.mark = 2;
  oyster.historical = "かき";
  Write({Entry("はし", {"橋", "端", "箸"}), Entry("がき", {"餓鬼"}), Entry("あ", {"唖"}), oyster,
         Entry("カキ", {}), Entry("あ", {"亜"}), Entry("かき", {"牡蠣"}, "def")});

  std::string bytes = FileBytes(dir_, "YOMIGO.DIC");
  std::vector<StoredEntry> entries = ReadDictionaryFile(bytes);
  std::vector<std::string> order;
  for (const StoredEntry& entry : entries) order.push_back(entry.fields[4] + entry.fields[0] + entry.meaning);
  // Equal readings follow their written forms (亜 0x889F before 唖 0x88A0), then the order given.
  EXPECT_EQ(order, (std::vector<std::string>{"あ亜意味", "あ唖意味", "かき牡蠣abc", "かき牡蠣def", "カキ意味",
                                             "がき餓鬼意味", "はし橋意味"}));
  ASSERT_EQ(entries.size(), 7u);

  const StoredEntry& stored = entries[2];
  EXPECT_EQ(stored.accent1, '1');
  EXPECT_EQ(stored.accent2, '0');
  EXPECT_EQ(stored.mark, 2);
  EXPECT_EQ(stored.fields[3], "かき");
  EXPECT_EQ(stored.unused, std::string(2, '\0'));
  // The meaning "abc" is stored as C1 C4 C5, and the record ends with its zero.
  std::size_t recordEnd = static_cast<std::size_t>(stored.entryPos + Int16At(bytes, stored.entryPos));
  EXPECT_EQ(bytes.substr(recordEnd - 4, 4), std::string("\xC1\xC4\xC5\x00", 4));

  const StoredEntry& bridge = entries[6];
  EXPECT_EQ(bridge.fields[1], "端");
  EXPECT_EQ(bridge.fields[2], "箸");
  EXPECT_EQ(bridge.accent1, 0);
  EXPECT_EQ(bridge.mark, 0);
}

TEST_F(DictionaryWriterTest, ReadingIndexesHoldKeysHeadwordsAndKanaForms) {
  SourceEntry kaki = Entry("がき", {"餓鬼"});
  kaki.kind = -3;
  Write({kaki, Entry("アイ", {}), Entry("あい", {}), Entry("ゐる", {}), Entry("あイ", {})});
  std::vector<StoredEntry> entries = ReadDictionaryFile(FileBytes(dir_, "YOMIGO.DIC"));
  auto positionOf = [&](const std::string& reading) {
    for (const StoredEntry& entry : entries)
      if (entry.fields[4] == reading) return entry.entryPos;
    return -1;
  };

  Index forward = ReadIndex(dir_, "ANKF.ID1");
  Index reversed = ReadIndex(dir_, "ANKR.ID1");
  EXPECT_EQ(forward.firstLevel.substr(8, 8), "ANKF.ID2");
  EXPECT_EQ(reversed.firstLevel.substr(8, 8), "ANKR.ID2");
  ExpectRecordsAscend(forward);
  ExpectRecordsAscend(reversed);
  ExpectSoundBlockTable(forward);
  ExpectSoundBlockTable(reversed);

  struct Expected {
    const char* reading;
    const char* key;
    const char* reversedKey;
    const char* headword;
    int kanaForm;
    int kind;
  };
  const Expected expected[] = {
      {"がき", "ｶﾞｷ", "ｷｶﾞ", "餓鬼", 0, -3},
      {"あい", "ｱｲ", "ｲｱ", "", 0, 0},
      {"アイ", "ｱｲ", "ｲｱ", "", 1, 0},
      {"ゐる", "ｲﾙ", "ﾙｲ", "ゐる", 0, 0},  // the key would widen to いる: the headword keeps ゐ
      {"あイ", "ｱｲ", "ｲｱ", "あイ", 0, 0},   // mixed scripts cannot be rebuilt from the key
  };
  for (const Expected& e : expected) {
    std::int32_t entryPos = positionOf(e.reading);
    int found = 0;
    for (const Index* index : {&forward, &reversed}) {
      for (const IndexRecord& record : index->records) {
        if (record.entryPos != entryPos) continue;
        ++found;
        EXPECT_EQ(record.key, index == &forward ? e.key : e.reversedKey) << e.reading;
        EXPECT_EQ(record.text, e.headword) << e.reading;
        EXPECT_EQ(record.detail, e.kanaForm) << e.reading;
        EXPECT_EQ(record.kind, e.kind) << e.reading;
      }
    }
    EXPECT_EQ(found, 2) << e.reading << ": one record in each reading index";
  }
}

TEST_F(DictionaryWriterTest, WrittenIndexesHoldOneRecordPerFormWithItsRank) {
  Write({Entry("はし", {"橋", "端", "箸"}), Entry("かな", {}), Entry("かんじ", {"漢字"})});
  Index forward = ReadIndex(dir_, "KNJF.ID1");
  Index reversed = ReadIndex(dir_, "KNJR.ID1");
  EXPECT_EQ(forward.firstLevel.substr(8, 8), "KNJF.ID2");
  EXPECT_EQ(reversed.firstLevel.substr(8, 8), "KNJR.ID2");
  ExpectRecordsAscend(forward);
  ExpectRecordsAscend(reversed);
  ExpectSoundBlockTable(forward);
  ExpectSoundBlockTable(reversed);

  ASSERT_EQ(forward.records.size(), 4u);
  ASSERT_EQ(reversed.records.size(), 4u);
  struct Expected {
    const char* key;
    const char* reversedKey;
    const char* readingKey;
    int rank;
  };
  const Expected expected[] = {
      {"橋", "橋", "ﾊｼ", 0}, {"端", "端", "ﾊｼ", 1}, {"箸", "箸", "ﾊｼ", 2}, {"漢字", "字漢", "ｶﾝｼﾞ", 0}};
  for (const Expected& e : expected) {
    int found = 0;
    for (const Index* index : {&forward, &reversed})
      for (const IndexRecord& record : index->records)
        if (record.key == (index == &forward ? e.key : e.reversedKey)) {
          ++found;
          EXPECT_EQ(record.text, e.readingKey) << e.key;
          EXPECT_EQ(record.detail, e.rank) << e.key;
        }
    EXPECT_EQ(found, 2) << e.key;
  }
  // The three forms of one entry lead to the same record.
  std::int32_t bridge = -1;
  for (const IndexRecord& record : forward.records)
    if (record.text == "ﾊｼ") {
      if (bridge < 0) bridge = record.entryPos;
      EXPECT_EQ(record.entryPos, bridge);
    }
}

TEST_F(DictionaryWriterTest, IndexWithoutRecordsHoldsOneBlockWithAnEndHeader) {
  Write({Entry("かな", {})});
  Index index = ReadIndex(dir_, "KNJF.ID1");
  ASSERT_EQ(index.table.size(), 1u);
  EXPECT_EQ(index.table[0].key, std::string(4, '\0'));
  EXPECT_EQ(index.table[0].offset, 0);
  EXPECT_EQ(index.secondLevel, std::string("\xFF\xFF\0\0\xFF\xFF", 6) + std::string(12, '\0'));
  EXPECT_TRUE(index.records.empty());
}

// Readings of three kana and one written form of two kanji each, all different.
std::vector<SourceEntry> GeneratedEntries(int count) {
  static const char* const kKana[] = {"あ", "か", "が", "さ", "た", "な", "は", "ぱ", "ま", "や",
                                      "ら", "わ", "ん", "き", "ぎ", "し", "ち", "に", "ひ", "み"};
  std::vector<SourceEntry> entries;
  for (int i = 0; i < count; ++i) {
    std::string reading = std::string(kKana[i % 20]) + kKana[(i / 20) % 20] + kKana[(i / 400) % 20];
    auto kanji = [](int n) {
      return std::string{static_cast<char>(0x89 + n / 188), static_cast<char>(0x40 + n % 188 + (n % 188 >= 63))};
    };
    entries.push_back(Entry(reading, {kanji(i % 300) + kanji(i / 300)}, "meaning " + std::to_string(i)));
  }
  return entries;
}

TEST_F(DictionaryWriterTest, LargeIndexKeepsItsTableWithinTheLimit) {
  DictionaryWriteOptions tinyBlocks;
  tinyBlocks.blockBytes = 1;  // one block per key group unless the table would overflow
  Write(GeneratedEntries(5000), tinyBlocks);
  for (const char* name : {"ANKF.ID1", "ANKR.ID1", "KNJF.ID1", "KNJR.ID1"}) {
    SCOPED_TRACE(name);
    Index index = ReadIndex(dir_, name);
    ASSERT_EQ(index.records.size(), 5000u);
    ExpectRecordsAscend(index);
    ExpectSoundBlockTable(index);
  }
  // The written keys share few 4-byte prefixes: without the limit there would be far more blocks.
  EXPECT_EQ(ReadIndex(dir_, "KNJF.ID1").table.size() > 1000, true);
}

TEST_F(DictionaryWriterTest, DefaultBlocksAreAFewKilobytes) {
  Write(GeneratedEntries(5000));
  Index index = ReadIndex(dir_, "KNJF.ID1");
  ExpectSoundBlockTable(index);
  std::size_t end = index.secondLevel.size() - 14;
  for (std::size_t i = 0; i + 1 < index.table.size(); ++i) {
    std::size_t blockBytes = static_cast<std::size_t>(index.table[i + 1].offset - index.table[i].offset);
    EXPECT_GE(blockBytes, DictionaryWriteOptions{}.blockBytes) << "block " << i;
    EXPECT_LT(blockBytes, DictionaryWriteOptions{}.blockBytes + 200) << "block " << i;
  }
  EXPECT_LE(end - static_cast<std::size_t>(index.table.back().offset), DictionaryWriteOptions{}.blockBytes + 200);
}

TEST_F(DictionaryWriterTest, RefusesEntriesTheFilesCannotHold) {
  auto with = [](auto change) {
    SourceEntry entry = Entry("かき", {"柿"});
    entry.sourceLine = 7;
    change(entry);
    return entry;
  };
  struct Case {
    SourceEntry entry;
    const char* reason;
  };
  const Case cases[] = {
      {with([](SourceEntry& e) { e.reading = ""; }), "reading is empty"},
      {with([](SourceEntry& e) { e.reading = "柿"; }), "reading is not kana"},
      {with([](SourceEntry& e) { e.reading = "ｶｷ"; }), "reading is not kana"},
      {with([](SourceEntry& e) {
         e.reading.clear();
         for (int i = 0; i < 21; ++i) e.reading += "か";
       }), "reading is longer than 40"},
      {with([](SourceEntry& e) { e.written[0] = "柿a"; }), "written form 1 holds a character that is not double-byte"},
      {with([](SourceEntry& e) {
         e.written[0] = "";
         e.written[1] = "柿";
       }), "written form 2 is given without written form 1"},
      {with([](SourceEntry& e) { e.written[2] = "柿"; }), "written form 3 is given without written form 2"},
      {with([](SourceEntry& e) {
         e.written[0].clear();
         for (int i = 0; i < 21; ++i) e.written[0] += "柿";
       }), "written form 1 is longer than 40"},
      {with([](SourceEntry& e) { e.historical = "かきabc"; }), "historical spelling is not kana"},
      {with([](SourceEntry& e) { e.meaning = std::string(4096, 'a'); }), "meaning is 4096"},
      {with([](SourceEntry& e) { e.meaning = std::string("a\0b", 3); }), "not a Shift-JIS character"},
      {with([](SourceEntry& e) { e.meaning = "ab\x82"; }), "not a Shift-JIS character"},
      // 8 stored bytes of grammar tag become the 20 of （自動詞・五段活用）.
      {with([](SourceEntry& e) {
         e.meaning.clear();
         for (int i = 0; i < 300; ++i) e.meaning += "『自五』";
       }), "display form of the meaning"},
      {with([](SourceEntry& e) { e.accent1 = 'x'; }), "accent is not a digit"},
      {with([](SourceEntry& e) { e.accent2 = '1'; }), "accent 2 is given without accent 1"},
      {with([](SourceEntry& e) { e.mark = 3; }), "mark is not 0, 1 or 2"},
      {with([](SourceEntry& e) { e.mark = -1; }), "mark is not 0, 1 or 2"},
      {with([](SourceEntry& e) { e.kind = 128; }), "kind is not between -128 and 127"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(WriteDictionary({Entry("あ", {}), c.entry}, dir_.dir(), error), -1) << c.reason;
    EXPECT_EQ(error.rfind("line 7: ", 0), 0u) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "YOMIGO.DIC")) << "nothing is written for a bad entry";
}

TEST_F(DictionaryWriterTest, RefusesAMissingDirectoryAndAnEmptyList) {
  std::string error;
  EXPECT_EQ(WriteDictionary({Entry("あ", {})}, (dir_.path() / "missing").string(), error), -1);
  EXPECT_NE(error.find("no such directory"), std::string::npos) << error;
  EXPECT_EQ(WriteDictionary({}, dir_.dir(), error), -1);
  EXPECT_NE(error.find("no entries"), std::string::npos) << error;
}

TEST_F(DictionaryWriterTest, KeepsTheExtremeValuesOfEachField) {
  SourceEntry entry = Entry("", {});
  for (int i = 0; i < 20; ++i) entry.reading += "か";  // 40 bytes
  for (std::string& form : entry.written)
    for (int i = 0; i < 20; ++i) form += "柿";
  entry.historical = entry.reading;
  entry.meaning = std::string(4000, 'a');
  entry.kind = -128;
  entry.accent1 = '9';
  entry.accent2 = '9';
  entry.mark = 1;
  Write({entry});
  std::vector<StoredEntry> stored = ReadDictionaryFile(FileBytes(dir_, "YOMIGO.DIC"));
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].fields[0], entry.written[0]);
  EXPECT_EQ(stored[0].fields[4], entry.reading);
  EXPECT_EQ(stored[0].meaning, entry.meaning);
  EXPECT_EQ(ReadIndex(dir_, "KNJF.ID1").records.at(0).kind, -128);
}

}  // namespace
}  // namespace lexiv
