// The caret keys of the text controls, in one place so that a key means the same in the one-line
// edit, the rich edit and any text control to come: Left and Right step one character ("\r\n"
// is one step; a selection collapses to its near end first unless Shift is down), or with Ctrl a
// word where the control moves by words (word_breaks.h), Home and End
// go to the caret line's ends (with Ctrl, the text's), and in a control of several lines Up,
// Down, PageUp and PageDown go to another line at the column the control keeps for them. Shift
// keeps the anchor where it is, so the selection grows or shrinks from it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv::platform {

// What a caret key needs to know of the control.
struct CaretKeyView {
  std::string_view text;
  std::size_t anchor = 0;
  std::size_t caret = 0;
  // The line that holds the caret (a display line where the text wraps): its first byte and
  // where End stops on it.
  std::size_t lineStart = 0;
  std::size_t lineEnd = 0;
  // Ctrl+Left and Ctrl+Right go from word to word (else they step like Left and Right).
  bool wordKeys = false;
  // For a control of several lines: the caret's line, the last line, how many lines a page
  // holds, and the caret position on another line at the kept column. A one-line control leaves
  // positionOnLine empty, and the vertical keys are not its caret keys.
  int line = 0;
  int lastLine = 0;
  int pageLines = 1;
  std::function<std::size_t(int line)> positionOnLine;
};

struct CaretMove {
  std::size_t anchor = 0;
  std::size_t caret = 0;
  int targetLine = -1;  // for the vertical keys: the line moved to; -1 for the others
};

// Where the key takes the selection; nullopt for a key that is not a caret key of the control.
std::optional<CaretMove> CaretKeyMove(UINT vk, bool shift, bool ctrl, const CaretKeyView& view);

}  // namespace lexiv::platform
