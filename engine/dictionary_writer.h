// Writes the nine dictionary files from a list of entries. The compiler (lexiv-mkdic) and the
// tests use it, so every format change is exercised by writing a dictionary and reading it back.
#pragma once

#include <string>
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

// Checks every entry, sorts them into dictionary order of their readings and writes YOMIGO.DIC,
// the four first-level and the four second-level index files into directory (which must exist).
// Returns 0, or -1 with a one-line reason in error (naming the entry's source line when known).
int WriteDictionary(std::vector<SourceEntry> entries, const std::string& directory, std::string& error);

}  // namespace lexiv
