// Byte positions in Shift-JIS text as the text controls count them: a position is a byte offset,
// and a caret may rest only on a character's first byte. "\r\n" is one step for the caret keys.
// Cells are display columns: a single-byte character takes one, a double-byte character two.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {

// The start of the character that holds bytePos, scanning from lineStart (a known character
// start at or before bytePos). A position past the end is the end.
constexpr std::size_t CharStartAtOrBefore(std::string_view text, std::size_t bytePos, std::size_t lineStart = 0) {
  if (bytePos >= text.size()) return text.size();
  std::size_t pos = lineStart;
  while (pos < bytePos) {
    const std::size_t next = pos + SjisCharBytesAt(text, pos);
    if (next > bytePos) return pos;
    pos = next;
  }
  return bytePos;
}

// The first character start at or after bytePos.
constexpr std::size_t CharStartAtOrAfter(std::string_view text, std::size_t bytePos, std::size_t lineStart = 0) {
  const std::size_t start = CharStartAtOrBefore(text, bytePos, lineStart);
  return start == bytePos || start >= text.size() ? start : start + SjisCharBytesAt(text, start);
}

// One caret step right: a character, or "\r\n" whole; the end stays the end.
constexpr std::size_t NextCaretPos(std::string_view text, std::size_t bytePos) {
  if (bytePos >= text.size()) return text.size();
  if (text[bytePos] == '\r' && bytePos + 1 < text.size() && text[bytePos + 1] == '\n') return bytePos + 2;
  return bytePos + SjisCharBytesAt(text, bytePos);
}

// One caret step left, scanning from lineStart (a character start at or before bytePos).
constexpr std::size_t PrevCaretPos(std::string_view text, std::size_t bytePos, std::size_t lineStart = 0) {
  if (bytePos == 0) return 0;
  if (bytePos > text.size()) bytePos = text.size();
  if (bytePos >= 2 && text[bytePos - 1] == '\n' && text[bytePos - 2] == '\r') return bytePos - 2;
  if (lineStart >= bytePos) lineStart = 0;
  return CharStartAtOrBefore(text, bytePos - 1, lineStart);
}

// Cells of the character at bytePos: 2 for a double-byte character, 1 otherwise.
constexpr int CharCellsAt(std::string_view text, std::size_t bytePos) {
  return SjisCharBytesAt(text, bytePos) == 2 ? 2 : 1;
}

}  // namespace lexiv::platform
