// What the meaning pane says after the caret has moved: the edge word of the move, if it reached
// an edge, and the character at the caret (or the rest of its line). Works on the control's text
// and display lines, so it can be checked without a window.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/rich_text.h"

namespace lexiv {

struct CaretSpeech {
  std::string edgeWord;  // empty when no edge was reached
  std::string text;      // "\r" at or after the line's end
};

// The display line holding bytePos (a position at a wrap belongs to the line that starts there).
int DisplayLineOf(const std::vector<platform::DisplayLine>& lines, std::size_t bytePos);
// 1 when the line holding bytePos ends without a line break, i.e. it wraps onto the next line.
int LineWraps(const std::vector<platform::DisplayLine>& lines, std::size_t bytePos);

// moveKind as the meaning view counts it: 1 right or End, 2 up, 3 down, 4 left or Home,
// 5 Ctrl+Home, 6 Ctrl+End. wholeRest says the rest of the line instead of one character.
CaretSpeech DescribeCaretMove(std::string_view text, const std::vector<platform::DisplayLine>& lines,
                              std::size_t bytePos, int moveKind, bool wholeRest);

}  // namespace lexiv
