#include <cstring>

#include "engine/dictionary_engine.h"
#include "engine/key_normalizer.h"
#include "engine/shift_jis.h"

namespace lexiv {
namespace {

// Longest text the lookup works on; a longer selection is cut on a character boundary, which
// keeps every word it could find (none is that long) and bounds the candidates tried.
constexpr std::size_t kMaxLookupTextBytes = 127;
constexpr std::size_t kProbeBytes = 8;
constexpr std::size_t kMaxWrittenProbeBytes = 3;
constexpr std::size_t kTableKeyBytes = 4;

bool IsMarkByte(unsigned char b) { return b == 0xDE || b == 0xDF; }

// The first characters of text whose index ranges hold every word the text can begin with: the
// kana up to the first kanji (at most four characters), or one character when a kanji comes first.
std::size_t ProbeBytes(std::string_view text, std::string& scratch) {
  std::size_t bytes = 0;
  while (bytes < text.size() && bytes < kProbeBytes) {
    std::size_t len = CharLengthAt(text, bytes);
    bytes += len;
    if (len == 2 && NormalizeKey(text.substr(0, bytes), scratch) == kWrittenKey && bytes > kMaxWrittenProbeBytes) {
      bytes -= len;
      break;
    }
  }
  return bytes;
}

// Bytes of the reading key's first character as the range search compares it.
int FirstReadingCharBytes(std::string_view readingKey) {
  if (readingKey.empty()) return 0;
  if (CharLengthAt(readingKey, 0) == 2) return 2;
  if (readingKey.size() >= 2 && IsMarkByte(static_cast<unsigned char>(readingKey[1]))) return 2;
  return 1;
}

// Drops the newest of count hits when an earlier hit has the same entry: a reading-key hit carries
// no rank, and the earlier hit came from a longer word or a written form.
int DropRepeatedEntry(SearchHit* hits, int count) {
  for (int i = 0; i < count - 1; ++i)
    if (hits[i].entryPos == hits[count - 1].entryPos) return count - 1;
  return count;
}

}  // namespace

int DictionaryEngine::LookupText(const char* text, SearchHit* hits, int maxHits) const {
  if (!AnyIndexLoaded() || text == nullptr || hits == nullptr || maxHits <= 0) return -1;
  std::string_view whole(text);
  whole = whole.substr(0, ClampToCharBoundary(whole, kMaxLookupTextBytes));
  if (whole.empty()) return 0;

  std::string_view probe = whole.substr(0, ProbeBytes(whole, candidateKey_));
  int probeClass = NormalizeKey(probe, searchKey_);
  bool searchWritten = probeClass == kWrittenKey || CharLengthAt(probe, 0) == 2;
  bool searchReading = probeClass == kReadingKey;

  IndexRange& writtenRange = ranges_[0];
  IndexRange& readingRange = ranges_[1];
  BlockRange range;
  if (searchWritten) {
    int compareLength = static_cast<int>(probe.size() < kTableKeyBytes ? probe.size() : kTableKeyBytes);
    if (FindBlockRange(kIndexKnjf, reinterpret_cast<const unsigned char*>(probe.data()), compareLength, range) != 0 ||
        writtenRange.Load(SecondLevel(kIndexKnjf), range.start, range.end) != 0)
      return -1;
  }
  if (searchReading) {
    if (FindBlockRange(kIndexAnkf, reinterpret_cast<const unsigned char*>(searchKey_.data()),
                       FirstReadingCharBytes(searchKey_), range) != 0 ||
        readingRange.Load(SecondLevel(kIndexAnkf), range.start, range.end) != 0)
      return -1;
  }

  int count = 0;
  std::size_t firstCharBytes = CharLengthAt(whole, 0);
  std::size_t candidateBytes = whole.size();
  while (candidateBytes >= firstCharBytes && count < maxHits) {
    std::string_view candidate = whole.substr(0, candidateBytes);
    int candidateClass = NormalizeKey(candidate, candidateKey_);
    if (searchWritten) {
      std::string_view compareKey = candidateClass == kWrittenKey ? std::string_view(candidateKey_) : candidate;
      count = CollectEqualKeys(writtenRange, false, compareKey, candidate, hits, count, maxHits);
    }
    if (count >= 0 && count < maxHits && searchReading && candidateClass == kReadingKey)
      count = CollectEqualKeys(readingRange, true, candidateKey_, candidate, hits, count, maxHits);
    if (count < 0 || count >= maxHits) break;
    bool doubleByteEnd = candidateBytes >= 2 &&
                         IsLeadByte(static_cast<unsigned char>(candidate[candidateBytes - 2])) &&
                         IsTrailByte(static_cast<unsigned char>(candidate[candidateBytes - 1]));
    std::size_t shortenBy = doubleByteEnd ? 2 : 1;
    if (candidateBytes < shortenBy + 1) break;
    candidateBytes -= shortenBy;
  }
  writtenRange.TrimBuffers();
  readingRange.TrimBuffers();
  if (count < 0) return -1;
  return count >= maxHits ? maxHits + 1 : count;
}

int DictionaryEngine::CollectEqualKeys(const IndexRange& range, bool readingIndex, std::string_view compareKey,
                                       std::string_view candidate, SearchHit* hits, int count,
                                       int maxHits) const {
  // Records are sorted: the records that agree with compareKey follow the first one not below it,
  // the equal ones first; the first record that is not equal is a longer word or another word.
  std::int64_t first = range.LowerBound(compareKey);
  if (first < 0) return -1;
  bool widenedCandidate = false;
  IndexRecord record;
  for (auto i = static_cast<std::size_t>(first); i < range.RecordCount(); ++i) {
    if (!range.RecordAt(i, record)) return -1;
    if (record.key != compareKey) break;
    SearchHit& hit = hits[count];
    if (!readingIndex) {
      hitBuilder_.FillWrittenHit(record, false, hit);
      count = MergeDuplicateHit(hits, count + 1);
    } else {
      hitBuilder_.FillReadingHit(record, false, hit);
      // A word found by its reading counts only where its headword is written as the text is.
      if (!widenedCandidate) {
        WidenKana(candidate, kKatakana, widenedKey_);
        widenedCandidate = true;
      }
      if (!std::string_view(hit.headword).starts_with(widenedKey_)) continue;
      count = DropRepeatedEntry(hits, count + 1);
    }
    if (count >= maxHits) return count;
  }
  return count;
}

}  // namespace lexiv
