// Whole-dictionary round trips: the sample dictionary's source and a generated dictionary are
// compiled by the real writer and read back through the engine. Every entry must be found by its
// reading, each written form, a prefix and a suffix, and paging must visit every entry once, in
// dictionary order, both ways.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/dictionary_engine.h"
#include "engine/dictionary_writer.h"
#include "engine/reading_collation.h"
#include "engine/shift_jis.h"
#include "support/temp_dir.h"
#include "tools/source_reader.h"

namespace lexiv {
namespace {

constexpr int kCapacity = 100000;  // never fills on these dictionaries, so every match is listed

std::string FirstChar(const std::string& s) { return s.substr(0, CharLengthAt(s, 0)); }

std::string LastChar(const std::string& s) {
  std::size_t pos = 0, last = 0;
  while (pos < s.size()) {
    last = pos;
    pos += CharLengthAt(s, pos);
  }
  return s.substr(last);
}

class RoundTrip {
 public:
  explicit RoundTrip(std::vector<SourceEntry> entries) : entries_(std::move(entries)), hits_(new SearchHit[kCapacity]) {}

  void Check() {
    std::string error;
    ASSERT_EQ(WriteDictionary(entries_, dir_.dir(), error), 0) << error;
    ASSERT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
    std::vector<std::int32_t> positions;
    std::vector<EntryRecord> records;
    PageForward(positions, records);
    ASSERT_EQ(records.size(), entries_.size());
    CheckSameEntries(records);
    CheckDictionaryOrder(records);
    CheckPageBackward(positions);
    for (std::size_t i = 0; i < records.size(); ++i) CheckFindable(positions[i], records[i]);
  }

 private:
  void PageForward(std::vector<std::int32_t>& positions, std::vector<EntryRecord>& records) {
    EntryRecord entry;
    std::int32_t pos = 0;
    ASSERT_EQ(engine_.ReadEntry(pos, kEntryAt, entry), 0);
    do {
      ASSERT_TRUE(positions.empty() || pos > positions.back()) << "paging forward went back at " << pos;
      positions.push_back(pos);
      records.push_back(entry);
      ASSERT_LE(records.size(), entries_.size()) << "paging visits more entries than were written";
    } while (engine_.ReadEntry(pos, kEntryNext, entry) == 0);
  }

  void CheckPageBackward(const std::vector<std::int32_t>& positions) {
    EntryRecord entry;
    std::int32_t pos = positions.back();
    for (std::size_t i = positions.size() - 1; i-- > 0;) {
      ASSERT_EQ(engine_.ReadEntry(pos, kEntryPrevious, entry), 0);
      ASSERT_EQ(pos, positions[i]);
    }
    EXPECT_EQ(engine_.ReadEntry(pos, kEntryPrevious, entry), 1);
    EXPECT_EQ(pos, positions.front());
  }

  // What was written is what pages back: the same readings with the same written forms.
  void CheckSameEntries(const std::vector<EntryRecord>& records) {
    std::multiset<std::string> written, read;
    for (const SourceEntry& e : entries_)
      written.insert(e.reading + '\t' + e.written[0] + '\t' + e.written[1] + '\t' + e.written[2]);
    for (const EntryRecord& r : records)
      read.insert(std::string(r.reading) + '\t' + r.written[0] + '\t' + r.written[1] + '\t' + r.written[2]);
    EXPECT_EQ(written, read);
  }

  void CheckDictionaryOrder(const std::vector<EntryRecord>& records) {
    for (std::size_t i = 1; i < records.size(); ++i)
      EXPECT_LE(CompareReadings(records[i - 1].reading, records[i].reading), 0)
          << "entry " << i << " is out of dictionary order";
  }

  bool Finds(const std::string& key, std::int32_t pos) {
    int r = engine_.SearchHeadwords(key.c_str(), kSearchKey, 1, hits_.get(), kCapacity);
    EXPECT_GE(r, 0) << "search failed";
    EXPECT_LE(r, kCapacity - 1) << "the hit array filled up";
    for (int i = 0; i < r && i < kCapacity; ++i)
      if (hits_[i].entryPos == pos) return true;
    return false;
  }

  void CheckFindable(std::int32_t pos, const EntryRecord& r) {
    std::string reading = r.reading;
    EXPECT_TRUE(Finds(reading, pos)) << "by reading, entry at " << pos;
    EXPECT_TRUE(Finds(FirstChar(reading) + "*", pos)) << "by reading prefix, entry at " << pos;
    EXPECT_TRUE(Finds("*" + LastChar(reading), pos)) << "by reading suffix, entry at " << pos;
    for (const char* form : r.written) {
      std::string w = form;
      if (w.empty()) break;
      EXPECT_TRUE(Finds(w, pos)) << "by written form, entry at " << pos;
      EXPECT_TRUE(Finds(FirstChar(w) + "*", pos)) << "by written prefix, entry at " << pos;
      EXPECT_TRUE(Finds("*" + LastChar(w), pos)) << "by written suffix, entry at " << pos;
    }
  }

  std::vector<SourceEntry> entries_;
  std::unique_ptr<SearchHit[]> hits_;
  testing::TempDir dir_;
  DictionaryEngine engine_;
};

TEST(RoundTrip, SampleDictionary) {
  std::vector<SourceEntry> entries;
  std::vector<std::string> errors;
  ASSERT_GT(ReadSourceFile(LEXIV_SOURCE_DIR "/data/sample-dictionary.tsv", entries, errors), 0)
      << (errors.empty() ? "" : errors.front());
  RoundTrip(std::move(entries)).Check();
}

// Readings drawn from kana that stress the key forms (voiced and semi-voiced letters, small kana,
// ー, katakana and mixed script), written forms from a few kanji so that forms repeat and share
// prefixes and suffixes across entries.
std::vector<SourceEntry> GeneratedEntries(int count) {
  static const std::vector<std::string> kKana = {
      "あ", "い", "う", "か", "が", "き", "ぎ", "し", "じ", "っ", "ゃ", "ょ", "は", "ば", "ぱ", "ん", "ー",
      "ア", "カ", "ガ", "ヴ", "ッ", "ャ", "パ", "ン", "ゐ", "ゑ", "を", "ぁ", "ヶ", "ヵ"};
  static const std::vector<std::string> kKanji = {"漢", "字", "学", "校", "国", "語", "辞", "典", "日", "本", "人",
                                                  "大", "小", "読", "書", "見", "会", "愛"};
  std::mt19937 rng(2026);
  auto pick = [&](const std::vector<std::string>& from) { return from[rng() % from.size()]; };
  std::vector<SourceEntry> entries;
  for (int i = 0; i < count; ++i) {
    SourceEntry e;
    int letters = 1 + static_cast<int>(rng() % 6);
    for (int j = 0; j < letters; ++j) e.reading += pick(kKana);
    int forms = static_cast<int>(rng() % 4);
    for (int f = 0; f < forms; ++f) {
      int chars = 1 + static_cast<int>(rng() % 4);
      for (int j = 0; j < chars; ++j) e.written[f] += pick(kKanji);
    }
    e.meaning = "①意味の" + std::to_string(i) + "。②「あ〔＝亜〕・い〔＝伊〕」";
    e.accent1 = static_cast<char>('0' + i % 10);
    e.mark = i % 3;
    e.kind = i % 5 - 2;
    entries.push_back(std::move(e));
  }
  return entries;
}

TEST(RoundTrip, GeneratedDictionary) { RoundTrip(GeneratedEntries(3000)).Check(); }

}  // namespace
}  // namespace lexiv
