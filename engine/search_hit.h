// One headword found by a search: filled by the engine into an array the caller owns.
#pragma once

#include <cstdint>

namespace lexiv {

struct SearchHit {
  char headword[41];  // Shift-JIS, NUL-terminated, at most 40 bytes
  char reading[43];   // full-width hiragana, NUL-terminated, at most 42 bytes
  std::int32_t kind;  // the index record's kind byte, sign-extended
  std::int32_t entryPos;  // byte offset of the entry record in YOMIGO.DIC
  std::int32_t rank;      // written-key hits only: lower is preferred; -1 for reading-key hits
  // Which index found the hit: a written-key hit's rank is the record's signed rank byte and
  // may itself be negative, so the rank alone cannot tell the two apart.
  bool writtenKey;
};

}  // namespace lexiv
