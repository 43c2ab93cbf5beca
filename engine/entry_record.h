// One decoded dictionary entry, filled by DictionaryEngine::ReadEntry into a record the caller owns.
#pragma once

#include <cstdint>
#include <string>

namespace lexiv {

struct EntryRecord {
  char reading[41] = {};     // the headword's reading in kana
  char written[3][41] = {};  // written forms 1 to 3; empty when absent
  std::string meaning;       // display form of the meaning (after ReformatMeaning), < 4096 bytes
  std::int32_t mark = 0;     // 0 none, 1 or 2
  std::string historical;    // historical kana spelling, or empty
  char accent1 = 0;          // '0'..'9', or 0 when absent
  char accent2 = 0;
};

}  // namespace lexiv
