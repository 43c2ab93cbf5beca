#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/dictionary_engine.h"
#include "engine/dictionary_writer.h"
#include "engine/scramble.h"
#include "support/temp_dir.h"

namespace lexiv {
namespace {

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::uint16_t WordAt(const std::string& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                    (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

SourceEntry Source(const char* reading, const char* meaning) {
  SourceEntry entry;
  entry.reading = reading;
  entry.meaning = meaning;
  return entry;
}

// A dictionary written by the real writer into a temporary directory and opened by the engine.
class EntryReaderTest : public ::testing::Test {
 protected:
  void Build(std::vector<SourceEntry> entries) {
    std::string error;
    ASSERT_EQ(WriteDictionary(std::move(entries), dir_.dir(), error), 0) << error;
    ASSERT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
    // Record positions by walking the length words up to the end marker.
    std::string bytes = ReadFileBytes(dir_.dir() + "YOMIGO.DIC");
    for (std::size_t pos = 0; pos + 4 <= bytes.size() && WordAt(bytes, pos) != 0xFFFF; pos += WordAt(bytes, pos))
      positions_.push_back(static_cast<std::int32_t>(pos));
  }

  testing::TempDir dir_;
  DictionaryEngine engine_;
  std::vector<std::int32_t> positions_;
};

TEST_F(EntryReaderTest, DecodesEveryField) {
  SourceEntry full = Source("きょう", "「あ〔＝亜〕・い〔＝伊〕」『名』");
  full.written[0] = "今日";
  full.written[1] = "京";
  full.written[2] = "凶";
  full.accent1 = '1';
  full.accent2 = '0';
  full.mark = 2;
  full.historical = "けふ";
  Build({full, Source("あ", "最初。")});
  ASSERT_EQ(positions_.size(), 2u);

  std::int32_t position = positions_[1];
  EntryRecord entry;
  ASSERT_EQ(engine_.ReadEntry(position, kEntryAt, entry), 0);
  EXPECT_EQ(position, positions_[1]);
  EXPECT_STREQ(entry.reading, "きょう");
  EXPECT_STREQ(entry.written[0], "今日");
  EXPECT_STREQ(entry.written[1], "京");
  EXPECT_STREQ(entry.written[2], "凶");
  EXPECT_EQ(entry.meaning, "\r\nあ（亜）\r\nい（伊）\r\n（名詞形）");
  EXPECT_EQ(entry.mark, 2);
  EXPECT_EQ(entry.historical, "けふ");
  EXPECT_EQ(entry.accent1, '1');
  EXPECT_EQ(entry.accent2, '0');

  position = positions_[0];
  ASSERT_EQ(engine_.ReadEntry(position, kEntryAt, entry), 0);
  EXPECT_STREQ(entry.reading, "あ");
  EXPECT_STREQ(entry.written[0], "");
  EXPECT_EQ(entry.meaning, "最初。");
  EXPECT_EQ(entry.mark, 0);
  EXPECT_EQ(entry.historical, "");
  EXPECT_EQ(entry.accent1, 0);
}

TEST_F(EntryReaderTest, PagesThroughDictionaryOrder) {
  Build({Source("う", "三。"), Source("あ", "一。"), Source("い", "二。")});
  ASSERT_EQ(positions_.size(), 3u);
  EntryRecord entry;

  std::int32_t position = positions_[0];
  ASSERT_EQ(engine_.ReadEntry(position, kEntryAt, entry), 0);
  EXPECT_EQ(engine_.ReadEntry(position, kEntryPrevious, entry), 1);
  EXPECT_EQ(position, positions_[0]);
  EXPECT_STREQ(entry.reading, "あ");

  const char* readings[] = {"い", "う"};
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(engine_.ReadEntry(position, kEntryNext, entry), 0);
    EXPECT_EQ(position, positions_[i + 1]);
    EXPECT_STREQ(entry.reading, readings[i]);
  }
  EXPECT_EQ(engine_.ReadEntry(position, kEntryNext, entry), 1);
  EXPECT_EQ(position, positions_[2]);
  EXPECT_STREQ(entry.reading, "う");

  ASSERT_EQ(engine_.ReadEntry(position, kEntryPrevious, entry), 0);
  EXPECT_EQ(position, positions_[1]);
  EXPECT_STREQ(entry.reading, "い");
  ASSERT_EQ(engine_.ReadEntry(position, kEntryNext, entry), 0);
  ASSERT_EQ(engine_.ReadEntry(position, kEntryPrevious, entry), 0);
  EXPECT_EQ(position, positions_[1]);
  EXPECT_STREQ(entry.reading, "い");
}

TEST_F(EntryReaderTest, EndMarkerIsNoEntry) {
  Build({Source("あ", "一。")});
  std::int32_t position = static_cast<std::int32_t>(positions_[0] + WordAt(ReadFileBytes(dir_.dir() + "YOMIGO.DIC"), 0));
  EntryRecord entry;
  EXPECT_EQ(engine_.ReadEntry(position, kEntryAt, entry), 1);
}

TEST(EntryReader, RefusesWhenClosed) {
  DictionaryEngine closed;
  std::int32_t position = 0;
  EntryRecord entry;
  EXPECT_EQ(closed.ReadEntry(position, kEntryAt, entry), -1);
}

// Hand-laid YOMIGO.DIC contents, so that every way a record can be broken is one row.
struct PlainFields {
  std::string written[3];
  std::string historical;
  std::string reading = "よみ";
  std::string singles = std::string(3, '\0');  // accent 1, accent 2, mark, as text bytes
  std::string meaning = "意味。";
};

std::string Scrambled(const std::string& text) {
  std::string stored;
  for (char c : text) stored += static_cast<char>(ScrambleByte(static_cast<unsigned char>(c)));
  return stored;
}

std::string Body(const PlainFields& fields) {
  std::string body;
  for (const std::string& form : fields.written) body += Scrambled(form) + '\0';
  body += Scrambled(fields.historical) + '\0';
  body += Scrambled(fields.reading) + '\0';
  body += Scrambled(fields.singles);
  body += std::string("\x12\x34", 2);
  body += Scrambled(fields.meaning) + '\0';
  return body;
}

std::string Header(std::uint16_t lengthWord, std::uint16_t previousLengthWord) {
  const char bytes[] = {static_cast<char>(lengthWord & 0xFF), static_cast<char>(lengthWord >> 8),
                        static_cast<char>(previousLengthWord & 0xFF), static_cast<char>(previousLengthWord >> 8)};
  return std::string(bytes, 4);
}

std::string Record(const std::string& body, std::uint16_t previousLengthWord) {
  return Header(static_cast<std::uint16_t>(body.size() + 4), previousLengthWord) + body;
}

const std::string kGoodBody = Body({});
const std::uint16_t kGoodLength = static_cast<std::uint16_t>(kGoodBody.size() + 4);
// Two good records and the end marker.
const std::string kGoodFile = Record(kGoodBody, 0xFFFF) + Record(kGoodBody, kGoodLength) + Header(0xFFFF, kGoodLength);

PlainFields WithWritten(std::string form) {
  PlainFields fields;
  fields.written[0] = std::move(form);
  return fields;
}
PlainFields WithReading(std::string reading) {
  PlainFields fields;
  fields.reading = std::move(reading);
  return fields;
}
PlainFields WithHistorical(std::string historical) {
  PlainFields fields;
  fields.historical = std::move(historical);
  return fields;
}
PlainFields WithMeaning(std::string meaning) {
  PlainFields fields;
  fields.meaning = std::move(meaning);
  return fields;
}

struct HandLaidCase {
  const char* name;
  std::string file;
  std::int32_t position;
  int direction;
};
// ctest lists each case by its name; without this the name would carry a dump of the bytes.
void PrintTo(const HandLaidCase& c, std::ostream* os) { *os << c.name; }

// Writes a real dictionary for its index files, then puts the hand-laid YOMIGO.DIC in its place.
class HandLaidEntryTest : public ::testing::TestWithParam<HandLaidCase> {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_EQ(WriteDictionary({Source("あ", "一。")}, dir_.dir(), error), 0) << error;
    WriteFileBytes(dir_.dir() + "YOMIGO.DIC", GetParam().file);
    ASSERT_EQ(engine_.OpenDictionary(dir_.dir()), 0);
  }

  testing::TempDir dir_;
  DictionaryEngine engine_;
};

using CorruptRecordTest = HandLaidEntryTest;

TEST_P(CorruptRecordTest, IsRefusedAndChangesNothing) {
  std::int32_t position = GetParam().position;
  EntryRecord entry;
  std::strcpy(entry.reading, "前");
  entry.meaning = "前の意味";
  EXPECT_EQ(engine_.ReadEntry(position, GetParam().direction, entry), -1);
  EXPECT_EQ(position, GetParam().position);
  EXPECT_STREQ(entry.reading, "前");
  EXPECT_EQ(entry.meaning, "前の意味");
}

std::string WithoutLastByte(const std::string& body) { return body.substr(0, body.size() - 1); }
std::string FirstBytes(const std::string& body, std::size_t count) { return body.substr(0, count); }

const std::int32_t kSecond = kGoodLength;
// Three empty written forms, an empty historical spelling and the reading, each with its zero.
const std::size_t kTextFieldBytes = 3 + 1 + std::string("よみ").size() + 1;
const std::int32_t kFileEnd = static_cast<std::int32_t>(kGoodFile.size());

INSTANTIATE_TEST_SUITE_P(
    Records, CorruptRecordTest,
    ::testing::Values(
        HandLaidCase{"LengthBelowHeader", Header(3, 0xFFFF) + kGoodBody, 0, kEntryAt},
        HandLaidCase{"LengthZero", Header(0, 0xFFFF) + kGoodBody, 0, kEntryAt},
        HandLaidCase{"LengthZeroWhenPagingOn", Header(0, 0xFFFF) + kGoodBody, 0, kEntryNext},
        HandLaidCase{"NegativeLength", Header(0x8004, 0xFFFF) + kGoodBody, 0, kEntryAt},
        HandLaidCase{"NegativeLengthWhenPagingOn", Header(0xFFFE, 0xFFFF) + kGoodBody, 0, kEntryNext},
        HandLaidCase{"LengthPastFileEnd", Header(kGoodLength + 1, 0xFFFF) + kGoodBody, 0, kEntryAt},
        HandLaidCase{"TruncatedBody", FirstBytes(Record(kGoodBody, 0xFFFF), kGoodLength - 3), 0, kEntryAt},
        HandLaidCase{"TruncatedHeader", kGoodFile, kFileEnd - 2, kEntryAt},
        HandLaidCase{"NegativePosition", kGoodFile, -4, kEntryAt},
        HandLaidCase{"PositionAtFileSize", kGoodFile, kFileEnd, kEntryAt},
        HandLaidCase{"PositionBeyondFile", kGoodFile, kFileEnd + 100, kEntryPrevious},
        HandLaidCase{"UnknownDirection", kGoodFile, 0, 3},
        HandLaidCase{"NextRunsPastFileWithoutEndMarker", Record(kGoodBody, 0xFFFF), 0, kEntryNext},
        HandLaidCase{"PreviousLengthLandsInsideRecord",
                     Record(kGoodBody, 0xFFFF) + Record(kGoodBody, kGoodLength - 2), kSecond, kEntryPrevious},
        HandLaidCase{"PreviousLengthBeforeFileStart",
                     Record(kGoodBody, 0xFFFF) + Record(kGoodBody, 0x7000), kSecond, kEntryPrevious},
        HandLaidCase{"PreviousLengthBelowHeader",
                     Record(kGoodBody, 0xFFFF) + Record(kGoodBody, 2), kSecond, kEntryPrevious},
        HandLaidCase{"PreviousLengthZero", Record(kGoodBody, 0xFFFF) + Record(kGoodBody, 0), kSecond, kEntryPrevious},
        HandLaidCase{"PreviousLengthNegative",
                     Record(kGoodBody, 0xFFFF) + Record(kGoodBody, 0x8000), kSecond, kEntryPrevious},
        HandLaidCase{"MeaningWithoutTerminator", Record(WithoutLastByte(kGoodBody), 0xFFFF), 0, kEntryAt},
        HandLaidCase{"BodyWithoutAnyTerminator", Record(std::string(40, '\x55'), 0xFFFF), 0, kEntryAt},
        HandLaidCase{"EmptyBody", Record("", 0xFFFF), 0, kEntryAt},
        HandLaidCase{"BodyEndsBeforeSingleBytes", Record(FirstBytes(kGoodBody, kTextFieldBytes + 2), 0xFFFF), 0, kEntryAt},
        HandLaidCase{"BodyEndsInUnusedBytes", Record(FirstBytes(kGoodBody, kTextFieldBytes + 3 + 1), 0xFFFF), 0, kEntryAt},
        HandLaidCase{"WrittenFormOf41Bytes", Record(Body(WithWritten(std::string(41, 'k'))), 0xFFFF), 0, kEntryAt},
        HandLaidCase{"ReadingOf41Bytes", Record(Body(WithReading(std::string(41, 'y'))), 0xFFFF), 0, kEntryAt},
        HandLaidCase{"HistoricalOf4096Bytes", Record(Body(WithHistorical(std::string(4096, 'h'))), 0xFFFF), 0,
                     kEntryAt},
        HandLaidCase{"MeaningOf4096Bytes", Record(Body(WithMeaning(std::string(4096, 'm'))), 0xFFFF), 0, kEntryAt}),
    [](const auto& info) { return info.param.name; });

using AcceptedRecordTest = HandLaidEntryTest;

TEST_P(AcceptedRecordTest, IsRead) {
  std::int32_t position = GetParam().position;
  EntryRecord entry;
  EXPECT_EQ(engine_.ReadEntry(position, GetParam().direction, entry), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Records, AcceptedRecordTest,
    ::testing::Values(
        HandLaidCase{"GoodFirst", kGoodFile, 0, kEntryAt},
        HandLaidCase{"GoodSecondByPaging", kGoodFile, 0, kEntryNext},
        HandLaidCase{"GoodFirstByPaging", kGoodFile, kSecond, kEntryPrevious},
        HandLaidCase{"WrittenFormOf40Bytes", Record(Body(WithWritten(std::string(40, 'k'))), 0xFFFF), 0, kEntryAt},
        HandLaidCase{"ReadingOf40Bytes", Record(Body(WithReading(std::string(40, 'y'))), 0xFFFF), 0, kEntryAt},
        HandLaidCase{"HistoricalOf4095Bytes", Record(Body(WithHistorical(std::string(4095, 'h'))), 0xFFFF), 0,
                     kEntryAt},
        HandLaidCase{"MeaningOf4095Bytes", Record(Body(WithMeaning(std::string(4095, 'm'))), 0xFFFF), 0, kEntryAt},
        HandLaidCase{"BytesAfterMeaningIgnored", Record(kGoodBody + "\x55\x55", 0xFFFF), 0, kEntryAt}),
    [](const auto& info) { return info.param.name; });

TEST(EntryReaderFields, BoundaryFieldsKeepTheirBytes) {
  testing::TempDir dir;
  std::string error;
  ASSERT_EQ(WriteDictionary({Source("あ", "一。")}, dir.dir(), error), 0) << error;
  PlainFields fields = WithReading(std::string(40, 'y'));
  fields.written[0] = std::string(40, 'k');
  fields.singles = std::string("7\0\xFE", 3);
  WriteFileBytes(dir.dir() + "YOMIGO.DIC", Record(Body(fields), 0xFFFF) + Header(0xFFFF, 0));
  DictionaryEngine engine;
  ASSERT_EQ(engine.OpenDictionary(dir.dir()), 0);

  std::int32_t position = 0;
  EntryRecord entry;
  ASSERT_EQ(engine.ReadEntry(position, kEntryAt, entry), 0);
  EXPECT_EQ(std::string(entry.reading), std::string(40, 'y'));
  EXPECT_EQ(std::string(entry.written[0]), std::string(40, 'k'));
  EXPECT_EQ(entry.accent1, '7');
  EXPECT_EQ(entry.accent2, 0);
  // The mark is kept as stored, sign-extended; showing it is the text layout's concern.
  EXPECT_EQ(entry.mark, -2);
  EXPECT_EQ(entry.meaning, "意味。");
}

}  // namespace
}  // namespace lexiv
