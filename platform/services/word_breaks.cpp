#include "platform/services/word_breaks.h"

#include "platform/services/shift_jis_text.h"
#include "platform/services/text_positions.h"

namespace lexiv::platform {

namespace {

enum class WordKind { kBlank, kLineEnd, kAsciiWord, kAsciiPunctuation, kHalfWidthKana, kHiragana, kKatakana, kKanji, kWideAlphanumeric, kWideSymbol };

WordKind KindAt(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (SjisCharBytesAt(text, pos) == 2) {
    const unsigned code = lead << 8 | static_cast<unsigned char>(text[pos + 1]);
    if (code == 0x8140) return WordKind::kBlank;                        // full-width space
    if (code == 0x815B) return WordKind::kKatakana;                     // long-vowel mark
    if (code == 0x8158) return WordKind::kKanji;                        // repeat mark
    if (code >= 0x829F && code <= 0x82F1) return WordKind::kHiragana;
    if (code >= 0x8340 && code <= 0x8396) return WordKind::kKatakana;
    if (code >= 0x824F && code <= 0x829A) return WordKind::kWideAlphanumeric;
    if (lead >= 0x88) return WordKind::kKanji;
    return WordKind::kWideSymbol;
  }
  if (lead == ' ' || lead == '\t') return WordKind::kBlank;
  if (lead == '\r' || lead == '\n') return WordKind::kLineEnd;
  if ((lead >= '0' && lead <= '9') || (lead >= 'A' && lead <= 'Z') || (lead >= 'a' && lead <= 'z') || lead == '_')
    return WordKind::kAsciiWord;
  if (lead >= 0xA6 && lead <= 0xDF) return WordKind::kHalfWidthKana;
  return WordKind::kAsciiPunctuation;
}

}  // namespace

std::size_t NextWordStart(std::string_view text, std::size_t bytePos) {
  std::size_t pos = CharStartAtOrBefore(text, bytePos);
  if (pos >= text.size()) return text.size();
  const WordKind kind = KindAt(text, pos);
  if (kind == WordKind::kLineEnd) {
    pos = NextCaretPos(text, pos);
  } else if (kind != WordKind::kBlank) {
    while (pos < text.size() && KindAt(text, pos) == kind) pos = NextCaretPos(text, pos);
  }
  while (pos < text.size() && KindAt(text, pos) == WordKind::kBlank) pos = NextCaretPos(text, pos);
  return pos;
}

std::size_t PrevWordStart(std::string_view text, std::size_t bytePos) {
  std::size_t pos = CharStartAtOrBefore(text, bytePos);
  while (pos > 0) {
    const std::size_t before = PrevCaretPos(text, pos);
    if (KindAt(text, before) != WordKind::kBlank) break;
    pos = before;
  }
  if (pos == 0) return 0;
  const std::size_t last = PrevCaretPos(text, pos);
  const WordKind kind = KindAt(text, last);
  if (kind == WordKind::kLineEnd) return last;
  pos = last;
  while (pos > 0) {
    const std::size_t before = PrevCaretPos(text, pos);
    if (KindAt(text, before) != kind) break;
    pos = before;
  }
  return pos;
}

}  // namespace lexiv::platform
