// A byte range of a second-level index file read into memory in one piece and split into its
// records. The engine keeps one or two of these and reuses their buffers from search to search,
// so that a search allocates nothing once the buffers have grown to the usual range size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/index_record.h"
#include "engine/read_only_file.h"

namespace lexiv {

class IndexRange {
 public:
  // Reads [start, end) of file in one read (or, when the file is held in memory, reads it there
  // in place) and records where each record begins. The records end at the end of the range or
  // at a record with a negative length, whichever comes first.
  // 0 on success; -1 when the range is reversed, negative or beyond the searchable part of the
  // file (its last 14 bytes are the trailer), the read is short, memory runs out, or a record
  // length is malformed.
  int Load(const ReadOnlyFile& file, std::int64_t start, std::int64_t end);

  std::size_t RecordCount() const { return records_->size(); }
  // The key of record i; false when it has no terminating zero inside its record.
  bool KeyAt(std::size_t i, std::string_view& key) const;
  // Every field of record i; false when the record is malformed.
  bool RecordAt(std::size_t i, IndexRecord& record) const;
  // The first record whose key is not less than key in unsigned byte order (RecordCount() when
  // there is none), or -1 when a key met on the way is malformed. The records of a range are
  // sorted, so this is where a run of matching records begins.
  std::int64_t LowerBound(std::string_view key) const;

  // Gives back buffers that an unusually large range made grow.
  void TrimBuffers();
  // Ranges read in place from a file held in memory keep their record offsets, as a batch of
  // searches meets the same few thousand ranges again and again. They are keyed by where the
  // bytes lie, so whoever frees a held file must call this first.
  void ForgetHeldRanges();

 private:
  const unsigned char* RecordBytes(std::size_t i, std::size_t& recordBytes) const;

  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t capacity_ = 0;
  const unsigned char* data_ = nullptr;  // the range: buffer_, or the held bytes of the file
  std::size_t size_ = 0;
  // Splits data_[0, size_) into records; false when a record length is malformed.
  bool IndexRecords(std::vector<std::uint32_t>& offsets) const;

  std::vector<std::uint32_t> offsets_;  // start of each record in data_, for a range read into buffer_
  struct HeldRange {
    std::size_t size;
    std::vector<std::uint32_t> offsets;
  };
  std::unordered_map<const unsigned char*, HeldRange> heldRanges_;
  std::size_t heldOffsets_ = 0;  // in all held ranges
  const std::vector<std::uint32_t>* records_ = &offsets_;  // offsets_ or a held range's
};

// Unsigned byte order of two strings, a prefix before its extensions: <0, 0 or >0.
int CompareKeys(std::string_view a, std::string_view b);

}  // namespace lexiv
