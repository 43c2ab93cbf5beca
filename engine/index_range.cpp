#include "engine/index_range.h"

#include <cstring>
#include <new>

namespace lexiv {
namespace {

constexpr std::int64_t kTrailerBytes = 14;
// Buffers above these sizes (a search over a whole index file, say) are not kept between searches.
constexpr std::size_t kKeptBufferBytes = std::size_t{1} << 20;
constexpr std::size_t kKeptOffsets = std::size_t{1} << 15;
// The record offsets kept for ranges of held files: 16 MB, several times what a batch of exact
// searches over a full dictionary keeps.
constexpr std::size_t kMaxHeldOffsets = std::size_t{1} << 22;

}  // namespace

int CompareKeys(std::string_view a, std::string_view b) {
  std::size_t common = a.size() < b.size() ? a.size() : b.size();
  int c = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
  if (c != 0) return c;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int IndexRange::Load(const ReadOnlyFile& file, std::int64_t start, std::int64_t end) {
  size_ = 0;
  offsets_.clear();
  records_ = &offsets_;
  if (!file.IsOpen() || start < 0 || start > end || end > file.Size() - kTrailerBytes) return -1;
  auto bytes = static_cast<std::size_t>(end - start);
  if (file.Bytes() != nullptr) {
    data_ = file.Bytes() + start;
    size_ = bytes;
    auto held = heldRanges_.find(data_);
    if (held != heldRanges_.end() && held->second.size == bytes) {
      records_ = &held->second.offsets;
      return 0;
    }
    try {
      if (!IndexRecords(offsets_)) return -1;
      if (heldOffsets_ + offsets_.size() <= kMaxHeldOffsets) {
        HeldRange& kept = heldRanges_[data_];
        heldOffsets_ -= kept.offsets.size();
        kept.size = bytes;
        kept.offsets = offsets_;
        heldOffsets_ += kept.offsets.size();
        records_ = &kept.offsets;
      }
    } catch (const std::bad_alloc&) {
      offsets_.clear();
      return -1;
    }
    return 0;
  }
  if (bytes > capacity_) {
    std::unique_ptr<unsigned char[]> grown(new (std::nothrow) unsigned char[bytes]);
    if (!grown) return -1;
    buffer_ = std::move(grown);
    capacity_ = bytes;
  }
  if (bytes > 0 && file.ReadAt(start, buffer_.get(), bytes) != static_cast<std::int64_t>(bytes)) return -1;
  data_ = buffer_.get();
  size_ = bytes;
  try {
    if (!IndexRecords(offsets_)) return -1;
  } catch (const std::bad_alloc&) {
    offsets_.clear();
    return -1;
  }
  return 0;
}

bool IndexRange::IndexRecords(std::vector<std::uint32_t>& offsets) const {
  std::size_t offset = 0;
  while (offset < size_) {
    std::size_t recordBytes = 0;
    IndexRecordHeader header = ReadIndexRecordHeader(data_, size_, offset, recordBytes);
    if (header == IndexRecordHeader::kEndMarker) break;
    if (header == IndexRecordHeader::kMalformed) {
      offsets.clear();
      return false;
    }
    offsets.push_back(static_cast<std::uint32_t>(offset));
    offset += recordBytes;
  }
  return true;
}

const unsigned char* IndexRange::RecordBytes(std::size_t i, std::size_t& recordBytes) const {
  // Load checked every length; reading it again is cheaper than storing it.
  std::size_t offset = (*records_)[i];
  ReadIndexRecordHeader(data_, size_, offset, recordBytes);
  return data_ + offset;
}

bool IndexRange::KeyAt(std::size_t i, std::string_view& key) const {
  std::size_t recordBytes = 0;
  const unsigned char* record = RecordBytes(i, recordBytes);
  return RecordKey(record, recordBytes, key);
}

bool IndexRange::RecordAt(std::size_t i, IndexRecord& record) const {
  std::size_t recordBytes = 0;
  const unsigned char* bytes = RecordBytes(i, recordBytes);
  return ParseIndexRecord(bytes, recordBytes, record);
}

std::int64_t IndexRange::LowerBound(std::string_view key) const {
  std::size_t lo = 0;
  std::size_t hi = records_->size();
  while (lo < hi) {
    std::size_t mid = lo + (hi - lo) / 2;
    std::string_view recordKey;
    if (!KeyAt(mid, recordKey)) return -1;
    if (CompareKeys(recordKey, key) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return static_cast<std::int64_t>(lo);
}

void IndexRange::TrimBuffers() {
  if (capacity_ > kKeptBufferBytes) {
    buffer_.reset();
    capacity_ = 0;
    if (records_ == &offsets_) {
      data_ = nullptr;
      size_ = 0;
      offsets_.clear();
    }
  }
  if (offsets_.capacity() > kKeptOffsets) {
    std::vector<std::uint32_t>().swap(offsets_);
    if (records_ == &offsets_) {
      data_ = nullptr;
      size_ = 0;
    }
  }
}

void IndexRange::ForgetHeldRanges() {
  heldRanges_.clear();
  heldOffsets_ = 0;
  records_ = &offsets_;
  offsets_.clear();
  data_ = nullptr;
  size_ = 0;
}

}  // namespace lexiv
