// Text laid out in display lines, as the text controls wrap it: a line breaks before the first
// character that does not fit, whatever the words, and holds at least one character; "\r\n" (or
// a lone "\r" or "\n") ends a paragraph and belongs to the line it ends, taking no room; a
// capacity of 0 wraps nothing; after a final paragraph end there is one more, empty line. The
// rich edit measures characters in units of its formats, the edit in cells.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace lexiv::platform {

struct DisplayLine {
  std::size_t start = 0;
  std::size_t length = 0;      // without the paragraph end
  std::size_t breakBytes = 0;  // 2 for "\r\n", 1 for "\r" or "\n", 0 for a wrapped or the last line
  int heightPx = 16;
  std::size_t Next() const { return start + length + breakBytes; }
  std::size_t End() const { return start + length; }
};

// unitsAt gives the room the character starting at a byte position takes.
std::vector<DisplayLine> WrapTextLines(std::string_view text, long capacity,
                                       const std::function<long(std::size_t bytePos)>& unitsAt);

// The caret position on line lineIndex nearest to `units` from the line's start (a character is
// passed when it fits whole); on a wrapped line's end, its last character, since the end itself
// is the next line's start.
std::size_t PositionInLine(std::string_view text, const std::vector<DisplayLine>& lines, int lineIndex, long units,
                           const std::function<long(std::size_t bytePos)>& unitsAt);

// The index of the line that holds bytePos (a line's start belongs to it; past the end, the
// last line). lines is never empty.
int LineHolding(const std::vector<DisplayLine>& lines, std::size_t bytePos);

}  // namespace lexiv::platform
