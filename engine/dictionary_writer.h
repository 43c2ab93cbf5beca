// Writes the nine dictionary files from a list of entries. The compiler (lexiv-mkdic) and the
// tests use it, so every format change is exercised by writing a dictionary and reading it back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexiv {

// One entry as the compiler hands it over; all text is Shift-JIS.
struct SourceEntry {
  std::string reading;      // the reading in kana (hiragana, katakana, ー), stored as given
  std::string written[3];   // written forms; form i has rank i; empty when absent
  std::string meaning;      // the stored meaning text with its markup
  char accent1 = 0;         // '0'..'9' or 0
  char accent2 = 0;
  int mark = 0;             // 0, 1 or 2
  std::string historical;   // historical kana spelling, or empty
  int kind = 0;             // -128..127, carried into the index records
  int sourceLine = 0;       // line in the source file, for error messages (0 when none)
};

// Field widths of an entry, in Shift-JIS bytes (without the terminating zero).
constexpr std::size_t kMaxReadingBytes = 40;
constexpr std::size_t kMaxWrittenBytes = 40;
constexpr std::size_t kMaxStoredTextBytes = 4095;  // historical spelling, meaning and its display form

// Limits of the index files: a second-level record, and the first-level table the engine reads.
constexpr std::size_t kMaxIndexRecordBytes = 1024;
constexpr int kMaxIndexEntries = 2000;

// The names of the second-level index files, in index order (ANKF, ANKR, KNJF, KNJR).
inline constexpr const char* kSecondLevelFileNames[4] = {"ANKF.ID2", "ANKR.ID2", "KNJF.ID2", "KNJR.ID2"};

struct DictionaryWriteOptions {
  // Smallest block of a second-level index that the first-level table addresses. A large index gets
  // larger blocks so that its table keeps to kMaxIndexEntries. Tests lower it to get many blocks.
  std::size_t blockBytes = 2048;
};

// True when text is made of hiragana, katakana and the long-vowel mark only, the characters of a
// reading and of a historical spelling.
bool IsKanaText(std::string_view text);

// Checks one entry against the formats of the dictionary files. Returns 0, or -1 with a one-line
// reason (in ASCII, without the source line) in reason.
int ValidateEntry(const SourceEntry& entry, std::string& reason);

// Checks every entry, sorts them into dictionary order of their readings and writes YOMIGO.DIC,
// the four first-level and the four second-level index files into directory (which must exist).
// Returns 0, or -1 with a one-line reason in error (naming the entry's source line when known).
int WriteDictionary(std::vector<SourceEntry> entries, const std::string& directory, std::string& error);
int WriteDictionary(std::vector<SourceEntry> entries, const std::string& directory, std::string& error,
                    const DictionaryWriteOptions& options);

}  // namespace lexiv
