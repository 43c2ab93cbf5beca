// The kanji readings table: for each kanji, the words the reader says to tell it from the other
// kanji of the same sound ("はし、キョウ" for 橋). It is compiled at build time from KANJIDIC into
// a file beside the reader, mapped read-only when first needed and searched in place.
//
// File layout (little-endian):
//   8 bytes  magic "LXKYOMI1"
//   uint32   record count N
//   uint32   size S of the text area
//   N records of 8 bytes, in increasing code order: uint16 Shift-JIS code of the kanji (lead byte
//            in the high byte), uint16 text length, uint32 text offset in the text area
//   S bytes  the texts, Shift-JIS, not terminated
// A file whose size, order or offsets disagree with this is refused as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexiv::reader {

class KanjiReadings {
 public:
  KanjiReadings() = default;
  ~KanjiReadings();
  KanjiReadings(const KanjiReadings&) = delete;
  KanjiReadings& operator=(const KanjiReadings&) = delete;

  // Maps the file; 0 on success, -1 when it cannot be read or is not a valid table (the table
  // then stays empty).
  int Open(const std::string& path);
  // Uses bytes the caller keeps alive; 0 when they are a valid table, else -1 and empty.
  int Adopt(std::string_view bytes);

  bool loaded() const { return count_ > 0; }
  std::size_t size() const { return count_; }
  // The readings of the kanji with this Shift-JIS code, or empty. Points into the table.
  std::string_view Find(std::uint16_t code) const;

  // The bytes of a table holding these entries (code, Shift-JIS text); the entries need not be
  // sorted. A code given twice keeps its first text.
  static std::string Build(std::vector<std::pair<std::uint16_t, std::string>> entries);

 private:
  void Unmap();

  void* mapping_ = nullptr;
  std::size_t mappingSize_ = 0;
  const unsigned char* records_ = nullptr;
  const char* texts_ = nullptr;
  std::size_t count_ = 0;
};

}  // namespace lexiv::reader
