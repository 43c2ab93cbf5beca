// The dictionary engine: the nine read-only dictionary files, headword search over their indexes
// and reading of entry records. One engine is owned by the main window; every operation reports
// by its integer result (-1 failure, 0 nothing or success, positive counts) and never throws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/entry_record.h"
#include "engine/hit_builder.h"
#include "engine/index_range.h"
#include "engine/read_only_file.h"
#include "engine/search_hit.h"

namespace lexiv {

// The four indexes, in the order they are loaded.
enum IndexId : int { kIndexAnkf = 0, kIndexAnkr = 1, kIndexKnjf = 2, kIndexKnjr = 3, kIndexCount = 4 };

// Match kinds of a key search, decided from the wildcard in the key.
enum MatchCode : int {
  kMatchExact = 0,
  kMatchPrefix = 1,      // trailing "*"
  kMatchSuffix = 2,      // leading "*"
  kMatchPrefixWide = 3,  // trailing full-width asterisk
  kMatchSuffixWide = 4,  // leading full-width asterisk
};

// Search modes of SearchHeadwords.
enum SearchMode : int { kSearchKey = 0, kSearchText = 1 };

// Directions of ReadEntry.
enum EntryDirection : int { kEntryAt = 0, kEntryPrevious = 1, kEntryNext = 2 };

// One first-level index held in memory.
struct IndexDescriptor {
  std::int32_t entryCount = -1;        // N from the header; -1 when not loaded
  std::int32_t keyLength = -1;         // K from the header; -1 when not loaded
  std::vector<unsigned char> table;    // the entry table bytes actually read (at most 16000)
  char secondLevelName[9] = {};        // second-level file name; empty when not loaded
  std::int64_t tableBytes = 0;         // how many table bytes there are to read
  bool tableRead = false;              // table holds them (read at the index's first use)
};

// A byte range of a second-level index file: [start, end).
struct BlockRange {
  std::int64_t start = 0;
  std::int64_t end = 0;
};

class DictionaryEngine {
 public:
  DictionaryEngine() = default;
  ~DictionaryEngine() = default;  // the files close themselves
  DictionaryEngine(const DictionaryEngine&) = delete;
  DictionaryEngine& operator=(const DictionaryEngine&) = delete;

  // Loads the four first-level indexes and opens the five data files of directory.
  // 0 success, -1 failure, 1 when already loaded (nothing done). A path longer than 255 bytes is a
  // failure. A failed open closes whatever it had opened, so the engine is then not loaded.
  // Each first-level header is read and checked here, and its file must hold the whole table;
  // the table itself is read when the index is first used, since one search needs one index (a
  // process that makes one search reads one table, not four).
  int OpenDictionary(std::string_view directory);
  // Frees the tables, returns the descriptors to not loaded and closes every file.
  void CloseDictionary();
  // The descriptor of index, its table read if it had not been yet.
  const IndexDescriptor& Descriptor(int index) const;
  // Whether the first-level table of index has been read yet, and whether its second-level file
  // is held in memory (for tests and measurements).
  bool IndexTableRead(int index) const { return indexes_[index].tableRead; }
  bool IndexHeldInMemory(int index) const { return secondLevel_[index].Bytes() != nullptr; }
  // From now on, a second-level index is read into memory whole once it has been searched
  // afterSearches times, and every later search of it reads its range there in place, with no
  // read from the file: for a caller that may make many searches (lexiv-query's batch mode).
  // Costs the index's size in memory (6 to 7 MB for a full dictionary) and one read of the whole
  // file, about what a thousand searches save; results are the same either way.
  void HoldIndexesInMemory(int afterSearches) {
    holdInMemory_ = true;
    holdAfterSearches_ = afterSearches;
  }

  // Searches headwords. mode kSearchKey or kSearchText; wildcards 1 lets a key search read one
  // leading or trailing "*" or full-width asterisk. Fills hits (capacity maxHits, owned by the
  // caller). Returns -1 on failure, 0 for no match, the count of hits, or maxHits + 1 when the
  // array filled up. Any other mode, a null key or array, or maxHits below 1 is refused with -1.
  // A key longer than 255 bytes is searched as its first 255 bytes, cut on a character boundary
  // (after its wildcard is taken off).
  int SearchHeadwords(const char* key, int mode, int wildcards, SearchHit* hits, int maxHits);

  // Reads the entry at position (kEntryAt), before it or after it. 0 with entry and position set;
  // 1 when there is no entry in that direction (nothing changed); -1 on failure (nothing changed).
  int ReadEntry(std::int32_t& position, int direction, EntryRecord& entry);

  // The steps of a search, public so that each can be tested on its own.
  // Finds the byte range of the second-level file of index whose records can begin with the
  // first compareLength (at most 4) bytes of key. 0 on success, -1 on failure.
  int FindBlockRange(int index, const unsigned char* key, int compareLength, BlockRange& range) const;
  // Reads range of the index's second-level file and collects the records matching key under
  // matchCode into hits. Result as SearchHeadwords. A range outside the searchable part of the file
  // or a malformed record gives -1; a negative record length ends the range, and the hits found
  // before it are returned.
  int ScanBlock(std::string_view key, int index, int matchCode, const BlockRange& range, SearchHit* hits,
                int maxHits) const;
  // Text lookup: the words the text begins with, longest first. Result as SearchHeadwords; an
  // empty text gives 0. Only the first 127 bytes of a longer text are looked at (cut on a
  // character boundary). A word found by its reading whose entry is already listed is dropped.
  int LookupText(const char* text, SearchHit* hits, int maxHits) const;

 private:
  bool AnyIndexLoaded() const;
  // Reads the first-level table of index if it has not been read; false when that fails.
  bool ReadTable(int index) const;
  // The second-level file of index, read into memory first when asked to hold it.
  const ReadOnlyFile& SecondLevel(int index) const;
  // Entries of the index that lie wholly inside the table bytes read (0 when not loaded or the
  // table cannot be read).
  std::int64_t AddressableEntries(int index) const;
  int SearchKey(std::string_view key, int wildcards, SearchHit* hits, int maxHits);
  // One phase of the text lookup: the records of range whose key equals compareKey become hits.
  int CollectEqualKeys(const IndexRange& range, bool readingIndex, std::string_view compareKey,
                       std::string_view candidate, SearchHit* hits, int count, int maxHits) const;

  // The tables are read on first use, from within const searches.
  mutable IndexDescriptor indexes_[kIndexCount];
  mutable ReadOnlyFile firstLevel_[kIndexCount];  // open until its table is read
  mutable ReadOnlyFile secondLevel_[kIndexCount];
  ReadOnlyFile dictionary_;
  bool holdInMemory_ = false;
  int holdAfterSearches_ = 0;
  mutable int searchesBeforeHold_[kIndexCount] = {};
  mutable bool holdTried_[kIndexCount] = {};  // a file that could not be held is not tried again

  // Working memory of the searches (the engine runs on one thread), kept between calls so that a
  // search does not allocate.
  mutable IndexRange ranges_[2];
  mutable HitBuilder hitBuilder_;
  mutable std::string searchKey_;
  mutable std::string widenedKey_;
  mutable std::string widenedRecordKey_;
  mutable std::string candidateKey_;
};

// Keeps one hit per entry: the newest hit, hits[count - 1], is compared with the earlier ones;
// at the first with the same entry position, the one with the lower rank stays (the earlier one
// when the ranks are equal) and the other is removed. Returns the new count.
int MergeDuplicateHit(SearchHit* hits, int count);

}  // namespace lexiv
