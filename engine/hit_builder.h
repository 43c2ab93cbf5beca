// Turns second-level index records into SearchHits. It keeps the working strings of the kana
// conversions, so that filling a hit allocates nothing once they have grown.
#pragma once

#include <string>
#include <string_view>

#include "engine/index_record.h"
#include "engine/search_hit.h"

namespace lexiv {

class HitBuilder {
 public:
  // A record of a reading-key index (ANKF, or ANKR when reversed): the reading is the key in
  // hiragana, the headword the record's own or, when that is empty, the key in its kana form.
  // Rank is -1.
  void FillReadingHit(const IndexRecord& record, bool reversed, SearchHit& hit);
  // A record of a written-key index (KNJF, or KNJR when reversed): the headword is the key, the
  // reading the record's reading key in hiragana.
  void FillWrittenHit(const IndexRecord& record, bool reversed, SearchHit& hit);

 private:
  std::string forwardKey_;
  std::string widened_;
};

// Copies text into a fixed field of capacity bytes, NUL included, cut on a character boundary
// when it does not fit.
void CopyClamped(std::string_view text, char* field, std::size_t capacity);

}  // namespace lexiv
