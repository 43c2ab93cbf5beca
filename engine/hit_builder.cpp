#include "engine/hit_builder.h"

#include <cstring>

#include "engine/key_normalizer.h"
#include "engine/shift_jis.h"

namespace lexiv {

void CopyClamped(std::string_view text, char* field, std::size_t capacity) {
  std::size_t bytes = ClampToCharBoundary(text, capacity - 1);
  std::memcpy(field, text.data(), bytes);
  field[bytes] = '\0';
}

void HitBuilder::FillReadingHit(const IndexRecord& record, bool reversed, SearchHit& hit) {
  std::string_view key = record.key;
  if (reversed) {
    forwardKey_.assign(record.key);
    ReverseKey(forwardKey_, kReadingKey);
    key = forwardKey_;
  }
  WidenKana(key, kHiragana, widened_);
  CopyClamped(widened_, hit.reading, sizeof hit.reading);
  if (!record.text.empty()) {
    CopyClamped(record.text, hit.headword, sizeof hit.headword);
  } else {
    WidenKana(key, record.detail == kKatakana ? kKatakana : kHiragana, widened_);
    CopyClamped(widened_, hit.headword, sizeof hit.headword);
  }
  hit.kind = record.kind;
  hit.entryPos = record.entryPos;
  hit.rank = -1;
  hit.writtenKey = false;
}

void HitBuilder::FillWrittenHit(const IndexRecord& record, bool reversed, SearchHit& hit) {
  if (reversed) {
    forwardKey_.assign(record.key);
    ReverseKey(forwardKey_, kWrittenKey);
    CopyClamped(forwardKey_, hit.headword, sizeof hit.headword);
  } else {
    CopyClamped(record.key, hit.headword, sizeof hit.headword);
  }
  WidenKana(record.text, kHiragana, widened_);
  CopyClamped(widened_, hit.reading, sizeof hit.reading);
  hit.kind = record.kind;
  hit.rank = record.detail;
  hit.writtenKey = true;
  hit.entryPos = record.entryPos;
}

}  // namespace lexiv
