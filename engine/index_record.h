// One record of a second-level index file, read in place from a range held in memory. The reading
// and the written indexes share one layout: a 4-byte header (length, 2 unread bytes), then
// key NUL, text NUL, kind, one detail byte, 2 unread bytes and the entry position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lexiv {

constexpr std::size_t kRecordHeaderBytes = 4;
constexpr std::size_t kMaxRecordBytes = 1024;

struct IndexRecord {
  std::string_view key;   // reading key or written key, as stored (reversed in ANKR and KNJR)
  std::string_view text;  // reading-key index: the headword (may be empty); written: the reading
  std::int8_t kind = 0;
  // Reading-key index: the kana form of a headword made from the key (0 hiragana, 1 katakana);
  // written-key index: the rank of the written form.
  std::int8_t detail = 0;
  std::int32_t entryPos = 0;
};

// Outcome of reading the header of the record at an offset.
enum class IndexRecordHeader { kRecord, kEndMarker, kMalformed };

// Reads the length word of the record at offset within data[0, size). kRecord with recordBytes
// set when a whole record of 4 to 1024 bytes lies inside the data; kEndMarker for a negative
// length; kMalformed for anything else (a length below the header, above 1024 bytes, running
// past the data, or a header cut off by the end of the data).
IndexRecordHeader ReadIndexRecordHeader(const unsigned char* data, std::size_t size, std::size_t offset,
                              std::size_t& recordBytes);

// The key of a whole record (as delimited by ReadIndexRecordHeader); false when the key has no
// terminating zero inside the record.
bool RecordKey(const unsigned char* record, std::size_t recordBytes, std::string_view& key);

// Every field of a whole record; false when a field runs past the record or the fixed bytes after
// the two texts do not fit in it.
bool ParseIndexRecord(const unsigned char* record, std::size_t recordBytes, IndexRecord& out);

}  // namespace lexiv
