#include "engine/dictionary_engine.h"

#include <cstring>

#include "engine/key_normalizer.h"
#include "engine/shift_jis.h"

namespace lexiv {
namespace {

constexpr std::size_t kTableEntryBytes = 8;
constexpr std::size_t kTableKeyBytes = 4;
constexpr std::int64_t kTrailerBytes = 14;
constexpr char kWideAsterisk[] = "\x81\x96";  // ＊
// Longest key a key search works on; longer input is cut on a character boundary.
constexpr std::size_t kMaxSearchKeyBytes = 255;

std::int32_t ReadInt32(const unsigned char* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 |
                                   static_cast<std::uint32_t>(p[3]) << 24);
}

bool IsReadingIndex(int index) { return index == kIndexAnkf || index == kIndexAnkr; }
bool IsReversedIndex(int index) { return index == kIndexAnkr || index == kIndexKnjr; }
bool IsSuffixMatch(int code) { return code == kMatchSuffix || code == kMatchSuffixWide; }

bool EndsWithWideAsterisk(std::string_view key) {
  std::size_t pos = 0;
  std::size_t last = key.size();
  while (pos < key.size()) {
    last = pos;
    pos += CharLengthAt(key, pos);
  }
  return last + 2 == key.size() && key.substr(last) == kWideAsterisk;
}

// Takes one wildcard off key: a leading "*", a leading ＊, a trailing "*", a trailing ＊, the
// first found in that order.
int TakeWildcard(std::string_view& key) {
  if (!key.empty() && key.front() == '*') {
    key.remove_prefix(1);
    return kMatchSuffix;
  }
  if (key.starts_with(kWideAsterisk)) {
    key.remove_prefix(2);
    return kMatchSuffixWide;
  }
  if (!key.empty() && key.back() == '*') {
    key.remove_suffix(1);
    return kMatchPrefix;
  }
  if (EndsWithWideAsterisk(key)) {
    key.remove_suffix(2);
    return kMatchPrefixWide;
  }
  return kMatchExact;
}

}  // namespace

int DictionaryEngine::SearchHeadwords(const char* key, int mode, int wildcards, SearchHit* hits, int maxHits) {
  if (!AnyIndexLoaded() || key == nullptr || hits == nullptr || maxHits <= 0) return -1;
  if (mode == kSearchText) return LookupText(key, hits, maxHits);
  if (mode != kSearchKey) return -1;
  return SearchKey(key, wildcards, hits, maxHits);
}

int DictionaryEngine::SearchKey(std::string_view key, int wildcards, SearchHit* hits, int maxHits) {
  int code = wildcards == 1 ? TakeWildcard(key) : kMatchExact;
  key = key.substr(0, ClampToCharBoundary(key, kMaxSearchKeyBytes));
  int keyClass = NormalizeKey(key, searchKey_);
  bool suffix = IsSuffixMatch(code);
  int index = keyClass == kReadingKey ? (suffix ? kIndexAnkr : kIndexAnkf) : (suffix ? kIndexKnjr : kIndexKnjf);
  if (suffix) ReverseKey(searchKey_, keyClass);

  BlockRange range;
  int compareLength = static_cast<int>(searchKey_.size() < kTableKeyBytes ? searchKey_.size() : kTableKeyBytes);
  if (FindBlockRange(index, reinterpret_cast<const unsigned char*>(searchKey_.data()), compareLength, range) != 0)
    return -1;
  return ScanBlock(searchKey_, index, code, range, hits, maxHits);
}

int DictionaryEngine::FindBlockRange(int index, const unsigned char* key, int compareLength,
                                     BlockRange& range) const {
  if (index < 0 || index >= kIndexCount || compareLength < 0 ||
      compareLength > static_cast<int>(kTableKeyBytes) || (compareLength > 0 && key == nullptr))
    return -1;
  std::int64_t count = AddressableEntries(index);
  if (count <= 0) return -1;
  const unsigned char* table = indexes_[index].table.data();
  auto compare = [&](std::int64_t entry) {
    return compareLength == 0 ? 0 : std::memcmp(key, table + entry * kTableEntryBytes, compareLength);
  };
  auto offsetOf = [&](std::int64_t entry) {
    return std::int64_t{ReadInt32(table + entry * kTableEntryBytes + kTableKeyBytes)};
  };

  std::int64_t lo = 0;
  std::int64_t hi = count - 1;
  std::int64_t mid = hi / 2;
  bool found = false;
  for (;;) {
    int c = compare(mid);
    if (c == 0) {
      found = true;
      break;
    }
    if (c > 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (hi < lo && mid != 0) mid = hi;
    }
    if (hi < lo) break;
    mid = (lo + hi) / 2;
  }

  std::int64_t start;
  if (!found || mid == 0) {
    start = offsetOf(mid);
  } else {
    std::int64_t below = mid - 1;
    while (below >= 0 && compare(below) == 0) --below;
    start = below < 0 ? 0 : offsetOf(below);
  }

  std::int64_t above = mid + 1;
  while (above < count && compare(above) == 0) ++above;
  const ReadOnlyFile& file = secondLevel_[index];
  if (!file.IsOpen()) return -1;
  std::int64_t searchableEnd = file.Size() - kTrailerBytes;
  std::int64_t end;
  if (above < count) {
    end = offsetOf(above);
  } else {
    unsigned char trailer[4];
    if (searchableEnd < 0 || file.ReadAt(searchableEnd, trailer, sizeof trailer) != 4 || trailer[0] != 0xFF ||
        trailer[1] != 0xFF)
      return -1;
    end = searchableEnd;
  }
  if (start < 0 || start > end || end > searchableEnd) return -1;
  range.start = start;
  range.end = end;
  return 0;
}

int DictionaryEngine::ScanBlock(std::string_view key, int index, int matchCode, const BlockRange& range,
                                SearchHit* hits, int maxHits) const {
  if (index < 0 || index >= kIndexCount || matchCode < kMatchExact || matchCode > kMatchSuffixWide ||
      hits == nullptr || maxHits <= 0)
    return -1;
  IndexRange& block = ranges_[0];
  if (block.Load(SecondLevel(index), range.start, range.end) != 0) return -1;

  bool readingIndex = IsReadingIndex(index);
  bool reversed = IsReversedIndex(index);
  bool widened = readingIndex && matchCode != kMatchExact;
  if (widened) WidenKana(key, kHiragana, widenedKey_);

  // Records are sorted, so the matching run starts at the first record not below the key. From
  // there the scan skips and stops as a scan from the start of the range would: a record that
  // does not match is passed over until one has matched, and the first one after that ends the
  // run. Where the widened comparison is used, a record that widens to a match begins with the
  // key's own bytes, so the skipping stops at the first record that does not.
  std::int64_t first = block.LowerBound(key);
  int result = 0;
  if (first < 0) {
    result = -1;
  } else {
    int count = 0;
    bool matched = false;
    IndexRecord record;
    for (auto i = static_cast<std::size_t>(first); i < block.RecordCount(); ++i) {
      if (!block.RecordAt(i, record)) {
        count = -1;
        break;
      }
      bool match;
      if (matchCode == kMatchExact) {
        match = record.key == key;
      } else if (!widened) {
        match = record.key.starts_with(key);
      } else {
        WidenKana(record.key, kHiragana, widenedRecordKey_);
        match = std::string_view(widenedRecordKey_).starts_with(widenedKey_);
      }
      if (!match) {
        if (matched || !widened || !record.key.starts_with(key)) break;
        continue;
      }
      matched = true;
      if (readingIndex) {
        hitBuilder_.FillReadingHit(record, reversed, hits[count]);
        ++count;
      } else {
        hitBuilder_.FillWrittenHit(record, reversed, hits[count]);
        count = MergeDuplicateHit(hits, count + 1);
      }
      if (count >= maxHits) {
        count = maxHits + 1;
        break;
      }
    }
    result = count;
  }
  block.TrimBuffers();
  return result;
}

int MergeDuplicateHit(SearchHit* hits, int count) {
  if (hits == nullptr || count < 2) return count;
  const SearchHit& newest = hits[count - 1];
  for (int i = 0; i < count - 1; ++i) {
    if (hits[i].entryPos != newest.entryPos) continue;
    if (hits[i].rank > newest.rank) {
      for (int j = i; j < count - 1; ++j) hits[j] = hits[j + 1];
    }
    return count - 1;
  }
  return count;
}

}  // namespace lexiv
