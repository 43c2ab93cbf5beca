// Builds the kanji readings table (kanji_readings.h) from KANJIDIC, the EUC-JP file of the
// kanji of JIS X 0208 with their readings. Run at build time by voxa-kanji-readings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexiv::reader {

struct KanjiEntry {
  std::uint16_t code = 0;  // Shift-JIS, lead byte high
  std::string readings;    // Shift-JIS: the first kun reading, "、", the first on reading
};

// One line of KANJIDIC: the kanji, then fields of letters and digits, the on readings in
// katakana and the kun readings in hiragana, then T1 or T2 and the readings used only in names,
// then the meanings in braces. A kun reading loses its okurigana dot and its dashes ("-こ.む"
// gives "こむ"). Readings after the T marker are not taken: a name reading would mislead.
// False for a comment, a line that is not an entry, or a kanji with no reading.
bool ParseKanjidicLine(std::string_view eucLine, KanjiEntry& entry);

// Reads the whole source and writes the table (through a temporary file, renamed into place).
// Returns the number of kanji written, or -1 with error set.
int CompileKanjidic(const std::string& sourcePath, const std::string& tablePath, std::string& error);

}  // namespace lexiv::reader
