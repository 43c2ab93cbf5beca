// Fuzz target over the reader's kanji table and what reads it: the input as a table file (refused
// or searched), as text to describe and to make a headword guide of, and as KANJIDIC lines.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "reader/character_description.h"
#include "reader/kanji_readings.h"
#include "reader/kanjidic_compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  lexiv::reader::KanjiReadings table;
  if (table.Adopt(bytes) == 0) {
    // Every answer must lie inside the input.
    for (std::uint32_t code = 0; code <= 0xFFFF; code += 13) {
      const std::string_view found = table.Find(static_cast<std::uint16_t>(code));
      if (!found.empty() && (found.data() < bytes.data() || found.data() + found.size() > bytes.data() + bytes.size()))
        __builtin_trap();
    }
  }

  for (std::size_t bytePos = 0; bytePos < bytes.size() && bytePos < 256; ++bytePos)
    lexiv::reader::DescribeCharacter(bytes.substr(bytePos), table);
  const std::string guide = lexiv::reader::HeadwordGuideText(bytes.substr(0, 256), table);
  if (guide.compare(0, std::min<std::size_t>(bytes.size(), 256), bytes.substr(0, 256)) != 0) __builtin_trap();

  lexiv::reader::KanjiEntry entry;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    lexiv::reader::ParseKanjidicLine(bytes.substr(start, end - start), entry);
    start = end + 1;
  }
  return 0;
}
