// How the text controls take and give their selection: a position a caller gives is clamped
// into the text (negative, as -1, or past the end: the end), a selection is snapped to character
// starts, and EM_GETSEL answers in both of its forms, the two DWORDs it may be handed and the packed result, which is -1 when a position no
// longer fits its 16 bits.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/services/text_positions.h"
#include "platform/win_types.h"

namespace lexiv::platform {

constexpr std::size_t ClampTextPos(std::int64_t value, std::size_t size) {
  if (value < 0) return size;
  return std::min(static_cast<std::size_t>(value), size);
}

// The selection (anchor, caret) inside text with both ends on character starts: an empty one
// moves back to its character's start, a wider one grows to take in the characters it cuts.
struct SnappedSelection {
  std::size_t anchor;
  std::size_t caret;
};
constexpr SnappedSelection SnapSelection(std::string_view text, std::size_t anchor, std::size_t caret) {
  anchor = std::min(anchor, text.size());
  caret = std::min(caret, text.size());
  if (anchor == caret) return {CharStartAtOrBefore(text, caret), CharStartAtOrBefore(text, caret)};
  if (anchor < caret) return {CharStartAtOrBefore(text, anchor), CharStartAtOrAfter(text, caret)};
  return {CharStartAtOrAfter(text, anchor), CharStartAtOrBefore(text, caret)};
}

inline LRESULT AnswerGetSel(std::size_t start, std::size_t end, WPARAM startOut, LPARAM endOut) {
  const auto start32 = static_cast<DWORD>(start);
  const auto end32 = static_cast<DWORD>(end);
  if (startOut != 0) *reinterpret_cast<DWORD*>(startOut) = start32;
  if (endOut != 0) *reinterpret_cast<DWORD*>(endOut) = end32;
  if (start32 > 0xFFFF || end32 > 0xFFFF) return -1;
  return MAKELONG(static_cast<WORD>(start32), static_cast<WORD>(end32));
}

}  // namespace lexiv::platform
