#include "engine/dictionary_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <numeric>
#include <string_view>
#include <sys/stat.h>

#include "engine/key_normalizer.h"
#include "engine/meaning_format.h"
#include "engine/reading_collation.h"
#include "engine/scramble.h"
#include "engine/shift_jis.h"

namespace lexiv {
namespace {

constexpr const char* kDictionaryFileName = "YOMIGO.DIC";
constexpr const char* kFirstLevelFileNames[4] = {"ANKF.ID1", "ANKR.ID1", "KNJF.ID1", "KNJR.ID1"};
constexpr std::size_t kFirstLevelHeaderBytes = 256;
constexpr std::size_t kBlockKeyBytes = 4;
constexpr std::size_t kTrailerBytes = 14;
constexpr std::int32_t kMaxRecordBytes = 32767;
constexpr std::uint16_t kEndMarker = 0xFFFF;

void PutInt16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutInt32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void SetInt16At(std::string& out, std::size_t bytePos, std::uint16_t value) {
  out[bytePos] = static_cast<char>(value & 0xFF);
  out[bytePos + 1] = static_cast<char>(value >> 8);
}

bool IsKanaCode(std::uint16_t code) {
  return code == 0x815B || (code >= 0x829F && code <= 0x82F1) || (code >= 0x8340 && code <= 0x8396 && code != 0x837F);
}

bool IsDoubleByteOnly(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); pos += 2)
    if (CharLengthAt(text, pos) != 2) return false;
  return true;
}

// Shift-JIS text the engine can walk: no zero byte (it would end the field), no lead byte without
// its trail byte, no byte that is not a character of its own.
bool IsWellFormedText(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = CharLengthAt(text, pos);
    auto b = static_cast<unsigned char>(text[pos]);
    if (len == 1 && (b == 0 || b == 0x80 || b == 0xA0 || b >= 0xFD || IsLeadByte(b))) return false;
    pos += len;
  }
  return true;
}

std::string WrittenFormLabel(int rank) { return "written form " + std::to_string(rank + 1); }

// --- Second-level index records -------------------------------------------------------------------

struct IndexRecord {
  std::string key;
  std::string rest;  // the body after the key's terminating zero
  std::int32_t entryPos = 0;
  int rank = 0;
};

bool KeyLess(const IndexRecord& a, const IndexRecord& b) {
  int byKey = a.key.compare(b.key);  // char_traits<char> compares as unsigned bytes
  if (byKey != 0) return byKey < 0;
  if (a.entryPos != b.entryPos) return a.entryPos < b.entryPos;
  return a.rank < b.rank;
}

// The first bytes of a key as a first-level table stores them: NUL-padded to kBlockKeyBytes.
std::string BlockKey(std::string_view key) {
  std::string blockKey(key.substr(0, kBlockKeyBytes));
  blockKey.resize(kBlockKeyBytes, '\0');
  return blockKey;
}

// A run of consecutive records that share their block key: the table can only start a block at the
// start of such a group (a boundary inside one would not shorten any search, see BlockStarts).
struct KeyGroup {
  std::size_t firstRecord = 0;
  std::size_t bytes = 0;
};

// Greedy cut: a block closes at the first group boundary once it holds at least blockBytes.
// (Closing it before a group that would take it past blockBytes, so that large groups stand
// alone, needs larger blocks to keep to the table's limit and read about 5% more per search over
// the keys of a large dictionary.)
std::vector<std::size_t> CutBlocks(const std::vector<KeyGroup>& groups, std::size_t blockBytes) {
  std::vector<std::size_t> starts;  // indexes into groups
  std::size_t held = 0;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (g == 0 || held >= blockBytes) {
      starts.push_back(g);
      held = 0;
    }
    held += groups[g].bytes;
  }
  return starts;
}

// The groups that start a block. Blocks are at least preferredBytes long; when that would give
// more than kMaxIndexEntries blocks, the smallest block size that keeps to the limit is used (the
// number of blocks only falls as the size grows, so a bisection finds it).
std::vector<std::size_t> BlockStarts(const std::vector<KeyGroup>& groups, std::size_t preferredBytes,
                                     std::size_t totalBytes) {
  std::size_t lo = std::max<std::size_t>(preferredBytes, 1);
  std::vector<std::size_t> starts = CutBlocks(groups, lo);
  if (starts.size() <= static_cast<std::size_t>(kMaxIndexEntries)) return starts;
  std::size_t hi = totalBytes + 1;  // one block
  while (lo + 1 < hi) {
    std::size_t mid = lo + (hi - lo) / 2;
    if (CutBlocks(groups, mid).size() <= static_cast<std::size_t>(kMaxIndexEntries))
      hi = mid;
    else
      lo = mid;
  }
  return CutBlocks(groups, hi);
}

struct IndexFiles {
  std::string firstLevel;
  std::string secondLevel;
};

int BuildIndex(std::vector<IndexRecord>& records, const char* secondLevelName, std::size_t blockBytes,
               IndexFiles& files, std::string& error) {
  std::sort(records.begin(), records.end(), KeyLess);

  std::string& second = files.secondLevel;
  std::vector<KeyGroup> groups;
  std::vector<std::uint32_t> recordOffsets;
  recordOffsets.reserve(records.size());
  std::string previousBlockKey;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const IndexRecord& record = records[i];
    std::size_t length = 4 + record.key.size() + 1 + record.rest.size();
    if (length > kMaxIndexRecordBytes) {
      error = std::string("a record of ") + secondLevelName + " is longer than 1024 bytes";
      return -1;
    }
    recordOffsets.push_back(static_cast<std::uint32_t>(second.size()));
    PutInt16(second, static_cast<std::uint16_t>(length));
    PutInt16(second, 0);
    second += record.key;
    second.push_back('\0');
    second += record.rest;

    std::string blockKey = BlockKey(record.key);
    if (groups.empty() || blockKey != previousBlockKey) groups.push_back({i, 0});
    groups.back().bytes += length;
    previousBlockKey = std::move(blockKey);
  }
  if (records.empty()) {
    // An index without records still has one block, holding only an end header, so that a search
    // finds a readable range and nothing in it.
    recordOffsets.push_back(0);
    PutInt16(second, kEndMarker);
    PutInt16(second, 0);
  }
  if (second.size() > 0x7FFFFFF0u) {
    error = std::string(secondLevelName) + " would be larger than 2 GiB";
    return -1;
  }

  std::string trailer(kTrailerBytes, '\0');
  SetInt16At(trailer, 0, kEndMarker);
  second += trailer;

  std::string& first = files.firstLevel;
  std::vector<std::size_t> starts = BlockStarts(groups, blockBytes, second.size());
  if (records.empty()) starts.assign(1, 0);
  first.assign(kFirstLevelHeaderBytes, '\0');
  SetInt16At(first, 0, static_cast<std::uint16_t>(starts.size()));
  SetInt16At(first, 6, static_cast<std::uint16_t>(kBlockKeyBytes));
  std::string_view name(secondLevelName);
  first.replace(8, name.size(), name);
  for (std::size_t g : starts) {
    std::size_t recordIndex = records.empty() ? 0 : groups[g].firstRecord;
    first += records.empty() ? std::string(kBlockKeyBytes, '\0') : BlockKey(records[recordIndex].key);
    PutInt32(first, recordOffsets[recordIndex]);
  }
  return 0;
}

// --- Dictionary file ------------------------------------------------------------------------------

void PutScrambledField(std::string& out, std::string_view text) {
  for (char c : text) out.push_back(static_cast<char>(ScrambleByte(static_cast<unsigned char>(c))));
  out.push_back('\0');
}

std::string EntryBody(const SourceEntry& entry) {
  std::string body;
  for (const std::string& form : entry.written) PutScrambledField(body, form);
  PutScrambledField(body, entry.historical);
  PutScrambledField(body, entry.reading);
  body.push_back(static_cast<char>(ScrambleByte(static_cast<unsigned char>(entry.accent1))));
  body.push_back(static_cast<char>(ScrambleByte(static_cast<unsigned char>(entry.accent2))));
  body.push_back(static_cast<char>(ScrambleByte(static_cast<unsigned char>(static_cast<std::int8_t>(entry.mark)))));
  body.append(2, '\0');
  PutScrambledField(body, entry.meaning);
  return body;
}

// Dictionary order: readings by collation, then the written forms, then the order given.
std::vector<std::size_t> DictionaryOrder(const std::vector<SourceEntry>& entries) {
  std::vector<std::string> keys;
  keys.reserve(entries.size());
  for (const SourceEntry& entry : entries) keys.push_back(ReadingCollationKey(entry.reading));
  std::vector<std::size_t> order(entries.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (int byReading = keys[a].compare(keys[b]); byReading != 0) return byReading < 0;
    for (int rank = 0; rank < 3; ++rank)
      if (int byForm = entries[a].written[rank].compare(entries[b].written[rank]); byForm != 0) return byForm < 0;
    return false;
  });
  return order;
}

// The reading-key record's headword and kana form: written form 1 when there is one; else empty,
// with the kana form that widens the key back into the reading; else (a reading that mixes scripts
// or holds kana without a half-width form, such as ゐ) the reading itself, so the list shows the
// word as written.
void ReadingHeadword(const SourceEntry& entry, const std::string& readingKey, std::string& headword,
                     int& kanaForm) {
  kanaForm = kHiragana;
  headword.clear();
  if (!entry.written[0].empty()) {
    headword = entry.written[0];
    return;
  }
  std::string widened;
  for (int form : {kHiragana, kKatakana}) {
    WidenKana(readingKey, form, widened);
    if (widened == entry.reading) {
      kanaForm = form;
      return;
    }
  }
  headword = entry.reading;
}

std::string JoinPath(const std::string& directory, const char* name) {
  if (directory.empty() || directory.back() == '/') return directory + name;
  return directory + "/" + name;
}

int WriteFile(const std::string& path, const std::string& bytes, std::string& error) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file) {
    error = "cannot create " + path;
    return -1;
  }
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (std::fclose(file.release()) != 0 || !written) {
    error = "cannot write " + path;
    return -1;
  }
  return 0;
}

}  // namespace

bool IsKanaText(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); pos += 2)
    if (CharLengthAt(text, pos) != 2 || !IsKanaCode(DoubleByteCodeAt(text, pos))) return false;
  return true;
}

int ValidateEntry(const SourceEntry& entry, std::string& reason) {
  if (entry.reading.empty()) {
    reason = "the reading is empty";
    return -1;
  }
  if (!IsKanaText(entry.reading)) {
    reason = "the reading is not kana (hiragana, katakana and the long-vowel mark only)";
    return -1;
  }
  if (entry.reading.size() > kMaxReadingBytes) {
    reason = "the reading is longer than 40 Shift-JIS bytes (" + std::to_string(entry.reading.size()) + ")";
    return -1;
  }
  std::string key;
  if (NormalizeKey(entry.reading, key) != kReadingKey || key.empty()) {
    reason = "the reading gives no reading key";
    return -1;
  }
  for (int rank = 0; rank < 3; ++rank) {
    const std::string& form = entry.written[rank];
    if (form.empty()) continue;
    if (rank > 0 && entry.written[rank - 1].empty()) {
      reason = WrittenFormLabel(rank) + " is given without " + WrittenFormLabel(rank - 1);
      return -1;
    }
    if (!IsDoubleByteOnly(form)) {
      reason = WrittenFormLabel(rank) + " holds a character that is not double-byte";
      return -1;
    }
    if (form.size() > kMaxWrittenBytes) {
      reason = WrittenFormLabel(rank) + " is longer than 40 Shift-JIS bytes (" + std::to_string(form.size()) + ")";
      return -1;
    }
  }
  if (!IsKanaText(entry.historical)) {
    reason = "the historical spelling is not kana";
    return -1;
  }
  if (entry.historical.size() > kMaxStoredTextBytes) {
    reason = "the historical spelling is 4096 bytes or longer";
    return -1;
  }
  if (!IsWellFormedText(entry.meaning)) {
    reason = "the meaning holds a byte that is not a Shift-JIS character";
    return -1;
  }
  if (entry.meaning.size() > kMaxStoredTextBytes) {
    reason = "the meaning is 4096 Shift-JIS bytes or longer (" + std::to_string(entry.meaning.size()) + ")";
    return -1;
  }
  // The display form is clamped on a character boundary at kMaxStoredTextBytes, so one that comes
  // within a character of that length may have been cut: only a shorter one is known to be whole.
  std::string display;
  if (ReformatMeaning(entry.meaning, display) >= static_cast<int>(kMaxStoredTextBytes - 1)) {
    reason = "the display form of the meaning does not fit in 4096 bytes";
    return -1;
  }
  for (char accent : {entry.accent1, entry.accent2}) {
    if (accent != 0 && (accent < '0' || accent > '9')) {
      reason = "an accent is not a digit";
      return -1;
    }
  }
  if (entry.accent1 == 0 && entry.accent2 != 0) {
    reason = "accent 2 is given without accent 1";
    return -1;
  }
  if (entry.mark < 0 || entry.mark > 2) {
    reason = "the mark is not 0, 1 or 2";
    return -1;
  }
  if (entry.kind < -128 || entry.kind > 127) {
    reason = "the kind is not between -128 and 127";
    return -1;
  }
  return 0;
}

int WriteDictionary(std::vector<SourceEntry> entries, const std::string& directory, std::string& error) {
  return WriteDictionary(std::move(entries), directory, error, DictionaryWriteOptions{});
}

int WriteDictionary(std::vector<SourceEntry> entries, const std::string& directory, std::string& error,
                    const DictionaryWriteOptions& options) {
  if (entries.empty()) {
    error = "there are no entries to write";
    return -1;
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::string reason;
    if (ValidateEntry(entries[i], reason) != 0) {
      error = (entries[i].sourceLine > 0 ? "line " + std::to_string(entries[i].sourceLine)
                                         : "entry " + std::to_string(i + 1)) +
              ": " + reason;
      return -1;
    }
  }
  struct stat info {};
  if (::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    error = "no such directory: " + directory;
    return -1;
  }

  std::string dictionary;
  std::vector<IndexRecord> records[4];
  std::uint16_t previousLength = kEndMarker;
  for (std::size_t i : DictionaryOrder(entries)) {
    const SourceEntry& entry = entries[i];
    std::string body = EntryBody(entry);
    std::size_t length = 4 + body.size();
    if (length > static_cast<std::size_t>(kMaxRecordBytes)) {
      error = (entry.sourceLine > 0 ? "line " + std::to_string(entry.sourceLine) : "an entry") +
              ": the entry record would be longer than 32767 bytes";
      return -1;
    }
    if (dictionary.size() > 0x7FFFFFF0u - length) {
      error = "the dictionary file would be larger than 2 GiB";
      return -1;
    }
    auto entryPos = static_cast<std::int32_t>(dictionary.size());
    PutInt16(dictionary, static_cast<std::uint16_t>(length));
    PutInt16(dictionary, previousLength);
    dictionary += body;
    previousLength = static_cast<std::uint16_t>(length);

    std::string readingKey;
    NormalizeKey(entry.reading, readingKey);
    auto kind = static_cast<char>(static_cast<std::int8_t>(entry.kind));

    std::string headword;
    int kanaForm = kHiragana;
    ReadingHeadword(entry, readingKey, headword, kanaForm);
    std::string readingRest = headword;
    readingRest.push_back('\0');
    readingRest.push_back(kind);
    readingRest.push_back(static_cast<char>(kanaForm));
    readingRest.append(2, '\0');
    PutInt32(readingRest, static_cast<std::uint32_t>(entryPos));
    std::string reversedKey = readingKey;
    ReverseKey(reversedKey, kReadingKey);
    records[0].push_back({readingKey, readingRest, entryPos, 0});
    records[1].push_back({std::move(reversedKey), std::move(readingRest), entryPos, 0});

    for (int rank = 0; rank < 3 && !entry.written[rank].empty(); ++rank) {
      std::string writtenRest = readingKey;
      writtenRest.push_back('\0');
      writtenRest.push_back(kind);
      writtenRest.push_back(static_cast<char>(rank));
      writtenRest.append(2, '\0');
      PutInt32(writtenRest, static_cast<std::uint32_t>(entryPos));
      std::string reversedForm = entry.written[rank];
      ReverseKey(reversedForm, kWrittenKey);
      records[2].push_back({entry.written[rank], writtenRest, entryPos, rank});
      records[3].push_back({std::move(reversedForm), std::move(writtenRest), entryPos, rank});
    }
  }
  PutInt16(dictionary, kEndMarker);
  PutInt16(dictionary, previousLength);

  IndexFiles indexes[4];
  for (int index = 0; index < 4; ++index)
    if (BuildIndex(records[index], kSecondLevelFileNames[index], options.blockBytes, indexes[index], error) != 0)
      return -1;

  if (WriteFile(JoinPath(directory, kDictionaryFileName), dictionary, error) != 0) return -1;
  for (int index = 0; index < 4; ++index) {
    if (WriteFile(JoinPath(directory, kFirstLevelFileNames[index]), indexes[index].firstLevel, error) != 0 ||
        WriteFile(JoinPath(directory, kSecondLevelFileNames[index]), indexes[index].secondLevel, error) != 0)
      return -1;
  }
  return 0;
}

}  // namespace lexiv
