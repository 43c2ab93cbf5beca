// Reading one entry record of YOMIGO.DIC: the record header, paging by the two length words, and
// the decoding of the scrambled body. A record is trusted only as far as its bytes were read:
// every length is checked against the file and every field against its width before it is used.
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/dictionary_engine.h"
#include "engine/meaning_format.h"
#include "engine/scramble.h"

namespace lexiv {
namespace {

constexpr std::int64_t kHeaderBytes = 4;
// As a length it ends the dictionary; as a previous length it marks the first record.
constexpr std::uint16_t kNoRecordWord = 0xFFFF;
// A reading or written form fills at most its field but the terminator.
constexpr std::size_t kFormBytes = sizeof(EntryRecord::reading) - 1;
// The historical spelling and the stored meaning each fit a work buffer with their terminator.
constexpr std::size_t kWorkTextBytes = kMeaningBufferBytes - 1;

struct RecordHeader {
  std::uint16_t lengthWord = 0;
  std::uint16_t previousLengthWord = 0;
};

// Any other negative length, and one too short for its own header, can only come from a
// corrupt file.
constexpr bool IsRecordLength(std::uint16_t word) { return word >= kHeaderBytes && word <= 0x7FFF; }

bool ReadHeader(const ReadOnlyFile& file, std::int64_t entryPos, RecordHeader& header) {
  if (entryPos < 0 || entryPos + kHeaderBytes > file.Size()) return false;
  unsigned char bytes[kHeaderBytes];
  if (file.ReadAt(entryPos, bytes, sizeof bytes) != kHeaderBytes) return false;
  header.lengthWord = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
  header.previousLengthWord = static_cast<std::uint16_t>(bytes[2] | (bytes[3] << 8));
  return true;
}

// Walks the fields of an entry body in file order, descrambling as it goes.
class EntryBodyCursor {
 public:
  explicit EntryBodyCursor(const std::vector<unsigned char>& body) : body_(body) {}

  // The next zero-terminated field, descrambled into text. False when the body ends before the
  // terminator or the field holds more than maxBytes.
  bool NextText(std::size_t maxBytes, std::string& text) {
    if (bytePos_ >= body_.size()) return false;
    const unsigned char* begin = body_.data() + bytePos_;
    const void* zero = std::memchr(begin, 0, body_.size() - bytePos_);
    if (zero == nullptr) return false;
    std::size_t fieldBytes = static_cast<const unsigned char*>(zero) - begin;
    if (fieldBytes > maxBytes) return false;
    text.resize(fieldBytes);
    for (std::size_t i = 0; i < fieldBytes; ++i) text[i] = static_cast<char>(DescrambleByte(begin[i]));
    bytePos_ += fieldBytes + 1;
    return true;
  }

  bool NextForm(char (&field)[kFormBytes + 1]) {
    std::string text;
    if (!NextText(kFormBytes, text)) return false;
    std::memcpy(field, text.data(), text.size());
    field[text.size()] = '\0';
    return true;
  }

  bool NextByte(unsigned char& value) {
    if (bytePos_ >= body_.size()) return false;
    value = DescrambleByte(body_[bytePos_++]);
    return true;
  }

  bool Skip(std::size_t bytes) {
    if (body_.size() - bytePos_ < bytes) return false;
    bytePos_ += bytes;
    return true;
  }

 private:
  const std::vector<unsigned char>& body_;
  std::size_t bytePos_ = 0;
};

bool DecodeEntryBody(const std::vector<unsigned char>& body, EntryRecord& entry) {
  EntryBodyCursor cursor(body);
  std::string meaning;
  unsigned char accent1 = 0, accent2 = 0, mark = 0;
  if (!cursor.NextForm(entry.written[0]) || !cursor.NextForm(entry.written[1]) ||
      !cursor.NextForm(entry.written[2]) || !cursor.NextText(kWorkTextBytes, entry.historical) ||
      !cursor.NextForm(entry.reading) || !cursor.NextByte(accent1) || !cursor.NextByte(accent2) ||
      !cursor.NextByte(mark) || !cursor.Skip(2) || !cursor.NextText(kWorkTextBytes, meaning))
    return false;
  entry.accent1 = static_cast<char>(accent1);
  entry.accent2 = static_cast<char>(accent2);
  entry.mark = static_cast<std::int8_t>(mark);
  ReformatMeaning(meaning, entry.meaning);
  return true;
}

}  // namespace

int DictionaryEngine::ReadEntry(std::int32_t& position, int direction, EntryRecord& entry) {
  if (!dictionary_.IsOpen()) return -1;
  if (direction != kEntryAt && direction != kEntryPrevious && direction != kEntryNext) return -1;

  std::int64_t entryPos = position;
  RecordHeader header;
  if (!ReadHeader(dictionary_, entryPos, header)) return -1;

  if (direction == kEntryPrevious) {
    if (header.previousLengthWord == kNoRecordWord) return 1;
    if (!IsRecordLength(header.previousLengthWord)) return -1;
    std::uint16_t previousLength = header.previousLengthWord;
    entryPos -= previousLength;
    // The record found there must be the one the previous length promised.
    if (!ReadHeader(dictionary_, entryPos, header) || header.lengthWord != previousLength) return -1;
  } else if (direction == kEntryNext) {
    if (header.lengthWord == kNoRecordWord) return 1;
    if (!IsRecordLength(header.lengthWord)) return -1;
    entryPos += header.lengthWord;
    if (!ReadHeader(dictionary_, entryPos, header)) return -1;
  }

  if (header.lengthWord == kNoRecordWord) return 1;
  if (!IsRecordLength(header.lengthWord) || entryPos + header.lengthWord > dictionary_.Size()) return -1;

  try {
    std::vector<unsigned char> body(header.lengthWord - kHeaderBytes);
    if (dictionary_.ReadAt(entryPos + kHeaderBytes, body.data(), body.size()) !=
        static_cast<std::int64_t>(body.size()))
      return -1;
    EntryRecord decoded;
    if (!DecodeEntryBody(body, decoded)) return -1;
    entry = std::move(decoded);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  position = static_cast<std::int32_t>(entryPos);
  return 0;
}

}  // namespace lexiv
