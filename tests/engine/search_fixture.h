// Dictionaries for the search tests: small ones written by the real writer, and index files made
// byte by byte where a test needs a table or a record that the writer would never produce.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dictionary_engine.h"
#include "engine/dictionary_writer.h"
#include "support/temp_dir.h"

namespace lexiv::testing {

inline SourceEntry Word(std::string reading, std::string written1 = "", std::string written2 = "",
                        std::string written3 = "") {
  SourceEntry entry;
  entry.reading = std::move(reading);
  entry.written[0] = std::move(written1);
  entry.written[1] = std::move(written2);
  entry.written[2] = std::move(written3);
  entry.meaning = "意味";
  return entry;
}

// Writes words into dir; small blocks make the first-level tables hold many entries.
inline void WriteWords(const std::vector<SourceEntry>& words, const TempDir& dir, std::size_t blockBytes = 64) {
  std::string error;
  DictionaryWriteOptions options;
  options.blockBytes = blockBytes;
  ASSERT_EQ(WriteDictionary(words, dir.dir(), error, options), 0) << error;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void PutInt16At(std::string& bytes, std::size_t bytePos, std::int16_t value) {
  bytes[bytePos] = static_cast<char>(value & 0xFF);
  bytes[bytePos + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void PutInt32At(std::string& bytes, std::size_t bytePos, std::int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[bytePos + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline std::int32_t Int32At(const std::string& bytes, std::size_t bytePos) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[bytePos + i]);
  return static_cast<std::int32_t>(value);
}

// One second-level record: header, key, text, kind, detail byte, 2 unread bytes, entry position.
inline std::string IndexRecordBytes(std::string_view key, std::string_view text, int detail, std::int32_t entryPos) {
  std::string record(4, '\0');
  record += key;
  record.push_back('\0');
  record += text;
  record.push_back('\0');
  record.push_back(0);  // kind
  record.push_back(static_cast<char>(detail));
  record.append(2, '\0');
  record.append(4, '\0');
  PutInt32At(record, record.size() - 4, entryPos);
  PutInt16At(record, 0, static_cast<std::int16_t>(record.size()));
  return record;
}

// A hand-made pair of index files: records laid out in order, one table entry per record (key:
// the first 4 bytes of the record's key, NUL-padded), and the 14-byte trailer.
struct HandIndex {
  std::vector<std::string> records;
  std::string firstLevel;
  std::string secondLevel;
  std::vector<std::int32_t> offsets;  // of each record

  void Layout(const char* secondLevelName) {
    secondLevel.clear();
    offsets.clear();
    firstLevel.assign(256, '\0');
    for (const std::string& record : records) {
      offsets.push_back(static_cast<std::int32_t>(secondLevel.size()));
      std::string key(record.c_str() + 4);
      key.resize(4, '\0');
      firstLevel += key;
      firstLevel.append(4, '\0');
      PutInt32At(firstLevel, firstLevel.size() - 4, offsets.back());
      secondLevel += record;
    }
    std::string trailer(14, '\0');
    PutInt16At(trailer, 0, -1);
    secondLevel += trailer;
    PutInt16At(firstLevel, 0, static_cast<std::int16_t>(records.size()));
    PutInt16At(firstLevel, 6, 4);
    firstLevel.replace(8, std::string_view(secondLevelName).size(), secondLevelName);
  }
  std::size_t TableEntryPos(std::size_t entry) const { return 256 + entry * 8; }
};

inline std::vector<std::string> Headwords(const SearchHit* hits, int count) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.emplace_back(hits[i].headword);
  return out;
}

inline std::vector<std::string> Readings(const SearchHit* hits, int count) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.emplace_back(hits[i].reading);
  return out;
}

}  // namespace lexiv::testing
