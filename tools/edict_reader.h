// Import of an EDICT file (EUC-JP, one entry per line: "headword [reading] /gloss/gloss/", or
// "kana /gloss/" for a word written in kana only; the first line is a header) as dictionary entries.
// Lines that the dictionary cannot hold are skipped and counted by reason.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/dictionary_writer.h"

namespace lexiv {

enum EdictOutcome : int {
  kEdictImported = 0,
  kEdictNotEdictForm,        // no "/gloss/" part, an unclosed [reading], or no gloss at all
  kEdictNotShiftJis,         // a character Shift-JIS cannot hold
  kEdictWrittenNotDoubleByte,
  kEdictWrittenTooLong,
  kEdictReadingNotKana,
  kEdictReadingTooLong,
  kEdictMeaningRefused,      // the glosses do not make a meaning the dictionary can hold
  kEdictOutcomeCount,
};

// Glosses are joined into the meaning up to this many bytes; later glosses are dropped.
constexpr std::size_t kEdictMeaningBytes = 2000;

// What an imported line lost or had changed on its way into the dictionary.
struct EdictLineNotes {
  bool glossesDropped = false;     // its later glosses did not fit into the meaning
  bool middleDotsRemoved = false;  // its reading had ・ between words, which a reading cannot hold
};

struct EdictImportCounts {
  int lines[kEdictOutcomeCount] = {};  // lines by outcome
  int glossesDropped = 0;              // imported lines with EdictLineNotes::glossesDropped
  int middleDotsRemoved = 0;           // imported lines with EdictLineNotes::middleDotsRemoved
};

// Parses one EDICT line, already in Shift-JIS, into entry and returns its EdictOutcome. The middle
// dots ・ that EDICT writes between the words of a reading are left out of the reading; a word
// written in kana only then keeps its spelling with the dots as written form 1.
int ParseEdictLine(std::string_view sjisLine, SourceEntry& entry, EdictLineNotes& notes);

// Parses the EUC-JP text of an EDICT file (its first line skipped), appends the entries and counts
// every line. Returns the number of entries imported.
int ReadEdictText(std::string_view eucText, std::vector<SourceEntry>& entries, EdictImportCounts& counts);

// Reads the file at path as ReadEdictText does; -1 with error when it cannot be read.
int ReadEdictFile(const std::string& path, std::vector<SourceEntry>& entries, EdictImportCounts& counts,
                  std::string& error);

// A few lines for people: how many entries were imported and how many lines skipped, and why.
std::string DescribeEdictImport(const EdictImportCounts& counts);

}  // namespace lexiv
