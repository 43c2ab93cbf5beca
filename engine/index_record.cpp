#include "engine/index_record.h"

#include <cstring>

namespace lexiv {
namespace {

// kind, detail, 2 unread bytes, entry position
constexpr std::size_t kFixedTailBytes = 8;

std::int16_t ReadInt16(const unsigned char* p) { return static_cast<std::int16_t>(p[0] | (p[1] << 8)); }

std::int32_t ReadInt32(const unsigned char* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 |
                                   static_cast<std::uint32_t>(p[3]) << 24);
}

// The NUL-terminated string starting at begin, which must end before end.
bool TerminatedField(const unsigned char* begin, const unsigned char* end, std::string_view& field) {
  const void* zero = std::memchr(begin, 0, static_cast<std::size_t>(end - begin));
  if (zero == nullptr) return false;
  field = std::string_view(reinterpret_cast<const char*>(begin),
                           static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - begin));
  return true;
}

}  // namespace

IndexRecordHeader ReadIndexRecordHeader(const unsigned char* data, std::size_t size, std::size_t offset,
                              std::size_t& recordBytes) {
  if (offset > size || size - offset < 2) return IndexRecordHeader::kMalformed;
  std::int16_t length = ReadInt16(data + offset);
  if (length < 0) return IndexRecordHeader::kEndMarker;
  auto bytes = static_cast<std::size_t>(length);
  if (bytes < kRecordHeaderBytes || bytes > kMaxRecordBytes || bytes > size - offset) return IndexRecordHeader::kMalformed;
  recordBytes = bytes;
  return IndexRecordHeader::kRecord;
}

bool RecordKey(const unsigned char* record, std::size_t recordBytes, std::string_view& key) {
  return TerminatedField(record + kRecordHeaderBytes, record + recordBytes, key);
}

bool ParseIndexRecord(const unsigned char* record, std::size_t recordBytes, IndexRecord& out) {
  const unsigned char* end = record + recordBytes;
  if (!TerminatedField(record + kRecordHeaderBytes, end, out.key)) return false;
  const unsigned char* textBegin = reinterpret_cast<const unsigned char*>(out.key.data()) + out.key.size() + 1;
  if (textBegin >= end || !TerminatedField(textBegin, end, out.text)) return false;
  const unsigned char* tail = textBegin + out.text.size() + 1;
  if (static_cast<std::size_t>(end - tail) < kFixedTailBytes) return false;
  out.kind = static_cast<std::int8_t>(tail[0]);
  out.detail = static_cast<std::int8_t>(tail[1]);
  out.entryPos = ReadInt32(tail + 4);
  return true;
}

}  // namespace lexiv
